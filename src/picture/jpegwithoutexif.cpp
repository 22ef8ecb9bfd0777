#include "jpegwithoutexif.h"

namespace pelmora {

namespace {

int byteAt(const QByteArray &bytes, qsizetype i) {
    return static_cast<unsigned char>(bytes[i]);
}

bool isExifSegment(const QByteArray &bytes, qsizetype marker, qsizetype length) {
    static const QByteArray exif("Exif\0\0", 6);
    return byteAt(bytes, marker + 1) == 0xE1 && length >= 2 + exif.size() &&
           bytes.sliced(marker + 4, exif.size()) == exif;
}

} // namespace

std::optional<QByteArray> jpegWithoutExif(const QByteArray &jpeg) {
    if (jpeg.size() < 4 || byteAt(jpeg, 0) != 0xFF || byteAt(jpeg, 1) != 0xD8)
        return std::nullopt;
    QByteArray kept = jpeg.first(2);
    bool dropped = false;
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
            kept += jpeg.sliced(marker, 2);
            continue;
        }
        if (i + 2 > jpeg.size())
            break;
        const qsizetype length = byteAt(jpeg, i) << 8 | byteAt(jpeg, i + 1);
        if (length < 2 || i + length > jpeg.size())
            break;
        if (isExifSegment(jpeg, marker, length))
            dropped = true;
        else
            kept += jpeg.sliced(marker, 2 + length);
        i += length;
    }
    if (!dropped)
        return std::nullopt;
    return kept + jpeg.sliced(i);
}

} // namespace pelmora
