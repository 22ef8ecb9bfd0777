#pragma once

#include "imagesize.h"
#include "imagesize/jpegmarkers.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace pelmora::detail {

// Read-only access to the first bytes of a file and to small blocks further in, by offset.
//
// Everything the header reader looks at goes through here, which keeps its promises in one
// place: the file is opened read-only (never created), only regular files are opened (no
// folders, pipes or devices), every block is checked against the file's size, no request is
// larger than MaxRequest, and no more than ReadBudget bytes are read in all.
class HeaderFile final : public ByteSource {
public:
    static constexpr qsizetype FirstBlock = 4096; // read at offset 0: holds most headers whole
    static constexpr qsizetype Window = 512;      // read at any later offset
    static constexpr qsizetype MaxRequest = 4096; // largest block one call may ask for
    // A window for each of the segments within JpegWalkLimit, as long as a segment can be.
    static constexpr qint64 ReadBudget = 256 * 1024;

    bool open(const QString &path);
    // The file open at the descriptor, read from its start; it stays open afterwards.
    bool open(int descriptor);
    qint64 size() const override { return m_size; }

    // The n bytes at offset, valid until the next call, or nullptr when they lie (partly) past
    // the end of the file, n is out of range, the read fails or the budget is spent.
    const unsigned char *bytes(qint64 offset, qsizetype n) override;

    // Bytes read from the file so far.
    qint64 bytesRead() const { return m_spent; }

private:
    QFile m_file;
    qint64 m_size = 0;
    QByteArray m_window;
    qint64 m_windowStart = 0;
    qint64 m_spent = 0;
};

// ReadImageSize on a file already opened, or on a file's bytes: the signature tests and the
// format's reader.
std::optional<ImageHeader> readImageHeader(ByteSource &file);

// A header of that size and format; no size and no format when no int holds a side.
ImageHeader sizedHeader(quint64 width, quint64 height, const QString &format);

// Multi-byte numbers, unsigned.
inline quint32 be16(const unsigned char *p) {
    return quint32(p[0]) << 8 | p[1];
}
inline quint32 le16(const unsigned char *p) {
    return quint32(p[1]) << 8 | p[0];
}
inline quint32 le24(const unsigned char *p) {
    return quint32(p[2]) << 16 | le16(p);
}
inline quint32 be32(const unsigned char *p) {
    return be16(p) << 16 | be16(p + 2);
}
inline quint32 le32(const unsigned char *p) {
    return le16(p + 2) << 16 | le16(p);
}

} // namespace pelmora::detail
