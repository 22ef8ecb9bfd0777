#include "jpegheader.h"

#include "headerfile.h"
#include "tiffheader.h"

#include <cstring>

namespace pelmora::detail {

namespace {

// The orientation tag (0x0112) of IFD0 of the EXIF data whose TIFF header starts at tiff and
// which ends at end (the end of its APP1 segment); 0 when there is none or it is not 1 to 8.
// Reads only the TIFF header, the entry count and the entries, all inside the segment.
int exifOrientation(ByteSource &file, qint64 tiff, qint64 end) {
    const std::optional<TiffStructure::Header> header = TiffStructure::readHeader(file, tiff, end);
    if (!header || header->magic != 42)
        return 0;
    const std::optional<TiffDirectory> ifd0 =
        TiffStructure(file, tiff, end, header->littleEndian).directory(header->first);
    return ifd0 ? ifd0->orientation : 0;
}

} // namespace

ImageHeader readJpegHeader(ByteSource &file) {
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
