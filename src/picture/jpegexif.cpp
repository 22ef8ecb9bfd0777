#include "jpegexif.h"

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

} // namespace

std::optional<JpegExifSplit> splitJpegExif(const QByteArray &jpeg) {
    if (jpeg.size() < 4 || byteAt(jpeg, 0) != 0xFF || byteAt(jpeg, 1) != 0xD8)
        return std::nullopt;
    JpegExifSplit split;
    split.otherHeader = jpeg.first(2);
    bool exifSeen = false;
    qsizetype i = 2;
    while (i + 1 < jpeg.size() && byteAt(jpeg, i) == 0xFF) {
        const qsizetype marker = i;
        const int code = byteAt(jpeg, i + 1);
        if (code == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (code == 0xDA || code == 0xD9 || code == 0x00)
            break;
        i += 2;
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD8)) { // no length
            split.otherHeader += jpeg.sliced(marker, 2);
            continue;
        }
        if (i + 2 > jpeg.size())
            break;
        const qsizetype length = byteAt(jpeg, i) << 8 | byteAt(jpeg, i + 1);
        if (length < 2 || i + length > jpeg.size())
            break;
        const bool exif = code == 0xE1 && length >= 2 + exifIdentifier.size() &&
                          jpeg.sliced(i + 2, exifIdentifier.size()) == exifIdentifier;
        if (!exif)
            split.otherHeader += jpeg.sliced(marker, 2 + length);
        else if (!exifSeen)
            split.tiff =
                jpeg.sliced(i + 2 + exifIdentifier.size(), length - 2 - exifIdentifier.size());
        exifSeen = exifSeen || exif;
        i += length;
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
