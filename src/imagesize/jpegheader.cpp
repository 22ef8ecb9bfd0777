#include "jpegheader.h"

#include "headerfile.h"

#include <cstring>

namespace pelmora::detail {

namespace {

// Start-of-frame markers: baseline, extended, progressive and lossless, Huffman or arithmetic
// coded. 0xC4 (Huffman tables), 0xC8 (reserved) and 0xCC (arithmetic conditioning) share the
// range but are no frames.
bool isFrameMarker(unsigned char code) {
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Markers that stand alone, without a length: TEM, RST0-RST7 and a repeated SOI.
bool isStandaloneMarker(unsigned char code) {
    return code == 0x01 || (code >= 0xD0 && code <= 0xD8);
}

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
    qint64 pos = 2; // just past SOI
    for (;;) {
        // A marker: 0xFF, any number of 0xFF fill bytes, then the code.
        const unsigned char *p = file.bytes(pos, 1);
        if (!p || p[0] != 0xFF)
            return header;
        qint64 at = pos + 1;
        for (;;) {
            if (at >= JpegWalkLimit)
                return header;
            p = file.bytes(at, 1);
            if (!p)
                return header;
            if (p[0] != 0xFF)
                break;
            ++at;
        }
        const unsigned char code = p[0];
        ++at; // at: the segment's length field
        if (code == 0xDA || code == 0xD9 || code == 0x00)
            return header; // start of scan or end of image before any frame; 0x00 is no marker
        if (isStandaloneMarker(code)) {
            pos = at;
            continue;
        }
        p = file.bytes(at, 2);
        if (!p)
            return header;
        const qint64 length = be16(p); // counts its own two bytes
        if (length < 2)
            return header;
        if (isFrameMarker(code)) {
            // length, precision, height, width
            p = length >= 8 ? file.bytes(at, 7) : nullptr;
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
        if (code == 0xE1 && !app1Seen) {
            app1Seen = true;
            p = length >= 2 + 6 ? file.bytes(at + 2, 6) : nullptr;
            if (p && std::memcmp(p, "Exif\0\0", 6) == 0)
                orientation = exifOrientation(file, at + 2 + 6, at + length);
        }
        pos = at + length;
        if (pos >= JpegWalkLimit)
            return header;
    }
}

} // namespace pelmora::detail
