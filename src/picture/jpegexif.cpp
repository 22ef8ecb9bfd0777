#include "jpegexif.h"

#include "imagesize/jpegmarkers.h"

namespace pelmora {

namespace {

const QByteArray exifIdentifier("Exif\0\0", 6);

int byteAt(const QByteArray &bytes, qsizetype i) {
    return static_cast<unsigned char>(bytes[i]);
}

bool isJfifSegmentAt(const QByteArray &jpeg, qsizetype at) {
    return jpeg.size() >= at + 9 && byteAt(jpeg, at) == 0xFF && byteAt(jpeg, at + 1) == 0xE0 &&
           jpeg.sliced(at + 4, 5) == QByteArray("JFIF\0", 5);
}

bool startsWithTiffHeader(const QByteArray &bytes) {
    return bytes.startsWith(QByteArray("II\x2A\0", 4)) ||
           bytes.startsWith(QByteArray("MM\0\x2A", 4));
}

} // namespace

std::optional<JpegExifSplit> splitJpegExif(const QByteArray &jpeg) {
    if (jpeg.size() < 4 || byteAt(jpeg, 0) != 0xFF || byteAt(jpeg, 1) != 0xD8)
        return std::nullopt;
    JpegExifSplit split;
    split.otherHeader = jpeg.first(2);
    bool exifSeen = false;
    bool continuing = false; // the last segment was the first EXIF or a continuation of it
    MemoryBytes source(jpeg);
    JpegMarkerWalker walker(source, jpeg.size());
    while (const std::optional<JpegSegment> segment = walker.next()) {
        if (segment->marker == 0xDA || segment->lengthAt + segment->length > jpeg.size())
            break;
        const qsizetype body = segment->lengthAt + 2;
        const qsizetype bodyLength = segment->length - 2;
        const bool exif = segment->marker == 0xE1 && bodyLength >= exifIdentifier.size() &&
                          jpeg.sliced(body, exifIdentifier.size()) == exifIdentifier;
        const QByteArray tiff =
            exif ? jpeg.sliced(body + exifIdentifier.size(), bodyLength - exifIdentifier.size())
                 : QByteArray();
        if (!exif)
            split.otherHeader += jpeg.sliced(segment->lengthAt - 2, segment->length + 2);
        else if (!exifSeen)
            split.tiff = tiff;
        else if (continuing && !startsWithTiffHeader(tiff))
            split.tiff += tiff;
        continuing = exif && (!exifSeen || (continuing && !startsWithTiffHeader(tiff)));
        exifSeen = exifSeen || exif;
    }
    split.otherHeader += QByteArray("\xFF\xD9", 2);
    return split;
}

QByteArray withExifSegment(const QByteArray &jpeg, const QByteArray &tiff) {
    const qsizetype length = 2 + exifIdentifier.size() + tiff.size();
    QByteArray segment;
    segment.reserve(2 + length);
    segment += char(0xFF);
    segment += char(0xE1);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    segment += exifIdentifier;
    segment += tiff;
    qsizetype at = 2;
    if (isJfifSegmentAt(jpeg, at)) {
        const qsizetype end = at + 2 + (byteAt(jpeg, at + 2) << 8 | byteAt(jpeg, at + 3));
        if (end <= jpeg.size())
            at = end;
    }
    return jpeg.first(at) + segment + jpeg.sliced(at);
}

} // namespace pelmora
