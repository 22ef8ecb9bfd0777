#pragma once

#include "imagesize.h"
#include "imagesize/jpegmarkers.h"

#include <QByteArray>
#include <QList>
#include <optional>

namespace pelmora::detail {

// What the header reader takes from one image file directory (IFD) of a TIFF structure.
struct TiffDirectory {
    qint64 width = -1;  // ImageWidth (SHORT or LONG), the first good one; -1 when there is none
    qint64 height = -1; // ImageLength, the same way
    quint32 subfileType = 0; // NewSubfileType; bit 0 marks a reduced-resolution picture
    quint32 photometric = 0; // PhotometricInterpretation, 0 when absent
    int orientation = 0;     // the first Orientation entry, when it is one SHORT of 1 to 8; or 0
    bool dngVersion = false; // a DNGVersion entry: the file is a DNG
    QByteArray make;         // the first bytes of Make (the camera's maker), when it is ASCII
    QList<qint64> subDirectories; // SubIFDs, at most a few
    qint64 next = 0;              // the next directory in the chain; 0 at its end
};

// The directories of a TIFF structure whose header starts at `base` and whose bytes end at `end`
// (a file, or the EXIF data of a JPEG's APP1 segment). Offsets are from base, as the structure
// writes them. Every read is checked against end; a directory holds at most 256 entries read.
class TiffStructure {
public:
    TiffStructure(ByteSource &source, qint64 base, qint64 end, bool littleEndian)
        : m_source(source)
        , m_base(base)
        , m_end(end)
        , m_little(littleEndian) {}

    // The byte order and the offset of the first directory from a header that starts with "II" or
    // "MM" and the magic number (42 for TIFF; camera files have others). Nothing when the bytes
    // are not there or the offset points into the header or out of the bytes.
    struct Header {
        bool littleEndian = true;
        quint32 magic = 0;
        qint64 first = 0;
    };
    static std::optional<Header> readHeader(ByteSource &source, qint64 base, qint64 end);

    std::optional<TiffDirectory> directory(qint64 offset);

private:
    quint32 u16(const unsigned char *p) const;
    quint32 u32(const unsigned char *p) const;
    QList<qint64> subDirectories(const unsigned char *entry);
    QByteArray text(const unsigned char *entry);

    ByteSource &m_source;
    qint64 m_base;
    qint64 m_end;
    bool m_little;
};

// A TIFF file, or a camera's RAW file in a TIFF structure, whose header starts at 0. rawKind
// names the RAW format when its signature told it already ("CR2", "ORF", "RW2", "IIQ"); it is
// empty for a file that starts as a TIFF, and the directories then tell: a DNGVersion entry makes
// it a DNG; a first directory that is a reduced-resolution picture, or any directory of the
// sensor's data (PhotometricInterpretation CFA or LinearRaw), makes it another camera's RAW file,
// named by its maker's format (NEF, ARW, PEF, SRW, 3FR, ...; "RAW" for a maker not known here).
//
// A plain TIFF gives the size of its first directory ("tif"). A RAW file gives the size of its
// full-resolution sensor data (the first directory, in the order IFD0, its SubIFDs, the next IFD
// and its SubIFDs, ..., with NewSubfileType 0 and CFA or LinearRaw), turned upright by IFD0's
// orientation, with the format of its kind in lower case; never the size of a preview. Where
// there is none, the header has no size and no format, but says the kind (see ImageHeader).
ImageHeader readTiffHeader(ByteSource &file, const QString &rawKind);

} // namespace pelmora::detail
