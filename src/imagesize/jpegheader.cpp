#include "jpegheader.h"

#include "headerfile.h"

#include <cstring>

namespace pelmora::detail {

namespace {

constexpr int MaxExifEntries = 256;

// The orientation tag (0x0112) of IFD0 of the EXIF data whose TIFF header starts at tiff and
// which ends at end (the end of its APP1 segment); 0 when there is none or it is not 1 to 8.
// Reads only the TIFF header, the entry count and the entries, all inside the segment.
int exifOrientation(HeaderFile &file, qint64 tiff, qint64 end) {
    if (end - tiff < 8)
        return 0;
    const unsigned char *p = file.bytes(tiff, 8);
    if (!p)
        return 0;
    bool little;
    if (p[0] == 'I' && p[1] == 'I')
        little = true;
    else if (p[0] == 'M' && p[1] == 'M')
        little = false;
    else
        return 0;
    const auto u16 = [little](const unsigned char *b) { return little ? le16(b) : be16(b); };
    const auto u32 = [little](const unsigned char *b) { return little ? le32(b) : be32(b); };
    if (u16(p + 2) != 42)
        return 0;
    const qint64 ifd = u32(p + 4);
    if (ifd < 8 || ifd > end - tiff - 2)
        return 0;
    p = file.bytes(tiff + ifd, 2);
    if (!p)
        return 0;
    const qint64 entries = tiff + ifd + 2;
    const qint64 count = qMin<qint64>(qMin<qint64>(u16(p), (end - entries) / 12), MaxExifEntries);
    if (count <= 0)
        return 0;
    p = file.bytes(entries, qsizetype(count * 12));
    if (!p)
        return 0;
    for (qint64 i = 0; i < count; ++i) {
        const unsigned char *entry = p + i * 12;
        if (u16(entry) != 0x0112)
            continue;
        // SHORT, one value, held in the first two bytes of the value field.
        if (u16(entry + 2) != 3 || u32(entry + 4) != 1)
            return 0;
        const int value = int(u16(entry + 8));
        return value >= 1 && value <= 8 ? value : 0;
    }
    return 0;
}

} // namespace

ImageHeader readJpegHeader(HeaderFile &file) {
    ImageHeader header; // 0 x 0, no format: what every give-up returns
    int orientation = 0;
    bool app1Seen = false;
    JpegMarkerWalker walker(file, JpegWalkLimit);
    while (const std::optional<JpegSegment> segment = walker.next()) {
        const qint64 at = segment->lengthAt;
        const qint64 length = segment->length;
        if (segment->marker == 0xDA)
            return header; // the picture's data starts before any frame
        if (isJpegFrameMarker(segment->marker)) {
            // length, precision, height, width
            const unsigned char *p = length >= 8 ? file.bytes(at, 7) : nullptr;
            if (!p)
                return header;
            const int height = int(be16(p + 3));
            const int width = int(be16(p + 5));
            const bool turned = orientation >= 5 && orientation <= 8; // a quarter turn
            header.size.Width = turned ? height : width;
            header.size.Height = turned ? width : height;
            header.format = QStringLiteral("jpg");
            return header;
        }
        // Only the first APP1 segment, and only when it is EXIF: as Qt's JPEG reader, and so the
        // preview and the resized photo, take the orientation (an EXIF segment after an XMP
        // one turns nothing there).
        if (segment->marker == 0xE1 && !app1Seen) {
            app1Seen = true;
            const unsigned char *p = length >= 2 + 6 ? file.bytes(at + 2, 6) : nullptr;
            if (p && std::memcmp(p, "Exif\0\0", 6) == 0)
                orientation = exifOrientation(file, at + 2 + 6, at + length);
        }
    }
    return header;
}

} // namespace pelmora::detail
