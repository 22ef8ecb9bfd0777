#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace pelmora {

// The bytes of a TIFF structure (as an APP1 EXIF segment carries it), read and written in the
// byte order its header declares. Every access is bounds-checked by the caller through has().
class TiffBytes {
public:
    explicit TiffBytes(QByteArray &bytes)
        : m_bytes(bytes) {}

    // Reads the byte order; false when the bytes do not start with a TIFF header.
    bool readHeader();

    qint64 size() const { return m_bytes.size(); }
    bool has(qint64 at, qint64 length) const {
        return at >= 0 && length >= 0 && at <= m_bytes.size() - length;
    }

    quint32 u16(qint64 at) const;
    quint32 u32(qint64 at) const;
    void put16(qint64 at, quint32 value);
    void put32(qint64 at, quint32 value);

    // Zeroes what of [at, at + length) lies inside the structure.
    void zero(qint64 at, qint64 length);
    void move(qint64 to, qint64 from, qint64 length);
    void truncate(qint64 length) { m_bytes.truncate(qsizetype(length)); }

private:
    quint32 byteAt(qint64 at) const { return quint8(m_bytes[qsizetype(at)]); }
    void setByteAt(qint64 at, quint32 value) { m_bytes[qsizetype(at)] = char(value); }

    QByteArray &m_bytes;
    bool m_little = false;
};

} // namespace pelmora
