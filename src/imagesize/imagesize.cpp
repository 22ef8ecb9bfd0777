#include "imagesize.h"

#include "headerfile.h"
#include "heifheader.h"
#include "jpegheader.h"
#include "rawheader.h"
#include "tiffheader.h"

#include <cstring>
#include <limits>

namespace pelmora {

namespace {

using detail::be32;
using detail::le16;
using detail::le24;
using detail::le32;

constexpr quint32 IntMax = quint32(std::numeric_limits<int>::max());

bool startsWith(const unsigned char *head, qsizetype available, const char *signature,
                qsizetype length) {
    return available >= length && std::memcmp(head, signature, size_t(length)) == 0;
}

ImageHeader sized(quint32 width, quint32 height, const char *format) {
    return detail::sizedHeader(width, height, QString::fromLatin1(format));
}

// GIF: the logical screen size, little-endian 16-bit at 6 and 8.
ImageHeader readGif(ByteSource &file) {
    const unsigned char *p = file.bytes(6, 4);
    return p ? sized(le16(p), le16(p + 2), "gif") : ImageHeader{};
}

// BMP: the information header's size, little-endian 32-bit at 14, tells its kind.
ImageHeader readBmp(ByteSource &file) {
    const unsigned char *p = file.bytes(14, 4);
    if (!p)
        return {};
    switch (le32(p)) {
    case 12: // BITMAPCOREHEADER: unsigned 16-bit width and height
        p = file.bytes(18, 4);
        return p ? sized(le16(p), le16(p + 2), "bmp") : ImageHeader{};
    case 40:  // BITMAPINFOHEADER
    case 52:  // BITMAPV2INFOHEADER
    case 56:  // BITMAPV3INFOHEADER
    case 64:  // OS/2 BITMAPINFOHEADER2
    case 108: // BITMAPV4HEADER
    case 124: // BITMAPV5HEADER
    {
        p = file.bytes(18, 8);
        if (!p)
            return {};
        const auto width = qint32(le32(p));
        const auto height = qint32(le32(p + 4)); // negative: rows stored top-down
        if (width < 0 || height == std::numeric_limits<qint32>::min())
            return {};
        return sized(quint32(width), quint32(height < 0 ? -height : height), "bmp");
    }
    default: // an information header of another size: recognised, no size
        return sized(0, 0, "bmp");
    }
}

// PNG: the 32-bit big-endian width and height of the IHDR chunk that must come first, or right
// after a leading CgBI chunk (a PNG optimised for iPhones, which decoders read as well).
ImageHeader readPng(ByteSource &file) {
    qint64 chunk = 8;
    const unsigned char *p = file.bytes(chunk, 8);
    if (p && std::memcmp(p + 4, "CgBI", 4) == 0) {
        chunk += 12 + qint64(be32(p)); // length, type, data, CRC
        p = file.bytes(chunk, 8);
    }
    if (!p || std::memcmp(p + 4, "IHDR", 4) != 0)
        return {};
    p = file.bytes(chunk + 8, 8);
    return p ? sized(be32(p), be32(p + 4), "png") : ImageHeader{};
}

// WebP: RIFF container, the first chunk is VP8 (lossy), VP8L (lossless) or VP8X (extended).
ImageHeader readWebp(ByteSource &file) {
    const unsigned char *p = file.bytes(12, 4);
    if (!p)
        return {};
    if (std::memcmp(p, "VP8 ", 4) == 0) {
        // frame tag (3 bytes), start code 9D 01 2A, 14-bit width and height (+2 scale bits)
        p = file.bytes(20, 10);
        if (!p || p[3] != 0x9D || p[4] != 0x01 || p[5] != 0x2A)
            return {};
        return sized(le16(p + 6) & 0x3FFF, le16(p + 8) & 0x3FFF, "webp");
    }
    if (std::memcmp(p, "VP8L", 4) == 0) {
        // signature 0x2F, then width - 1 and height - 1 in 14 bits each, 1 alpha bit, 3 version
        p = file.bytes(20, 5);
        if (!p || p[0] != 0x2F)
            return {};
        const quint32 bits = le32(p + 1);
        if (bits >> 29 != 0)
            return {};
        return sized((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1, "webp");
    }
    if (std::memcmp(p, "VP8X", 4) == 0) {
        // flags (1 byte), reserved (3), canvas width - 1 and height - 1 in 24 bits each
        p = file.bytes(24, 6);
        return p ? sized(le24(p) + 1, le24(p + 3) + 1, "webp") : ImageHeader{};
    }
    return {};
}

} // namespace

ImageHeader detail::sizedHeader(quint64 width, quint64 height, const QString &format) {
    ImageHeader header;
    if (width > IntMax || height > IntMax)
        return header; // no int holds it: not read
    header.size.Width = int(width);
    header.size.Height = int(height);
    header.format = format;
    return header;
}

std::optional<ImageHeader> detail::readImageHeader(ByteSource &file) {
    if (file.size() == 0)
        return std::nullopt;
    const qsizetype available = qsizetype(qMin<qint64>(file.size(), 32));
    const unsigned char *head = file.bytes(0, available);
    if (!head)
        return std::nullopt;
    // Copy: the next read may move the window.
    unsigned char sig[32] = {};
    std::memcpy(sig, head, size_t(available));

    // The four classic formats first, in this order; then the three the preview can show as well.
    if (startsWith(sig, available, "\xFF\xD8", 2))
        return detail::readJpegHeader(file);
    if (startsWith(sig, available, "GIF8", 4))
        return readGif(file);
    if (startsWith(sig, available, "BM", 2))
        return readBmp(file);
    if (startsWith(sig, available, "\x89PNG", 4))
        return readPng(file);
    if (startsWith(sig, available, "RIFF", 4) && available >= 12 &&
        std::memcmp(sig + 8, "WEBP", 4) == 0)
        return readWebp(file);
    const QByteArrayView start(reinterpret_cast<const char *>(sig), available);
    if (const std::optional<ImageHeader> raw = detail::readCameraRawHeader(file, start))
        return raw;
    if (startsWith(sig, available, "II*\0", 4) || startsWith(sig, available, "MM\0*", 4))
        return detail::readTiffHeader(file, QString());
    if (available >= 12 && std::memcmp(sig + 4, "ftyp", 4) == 0)
        return detail::readHeifHeader(file);
    return std::nullopt;
}

std::optional<ImageHeader> ReadImageSize(const QString &path) {
    detail::HeaderFile file;
    if (!file.open(path))
        return std::nullopt;
    return detail::readImageHeader(file);
}

std::optional<ImageHeader> ReadImageSize(int descriptor) {
    detail::HeaderFile file;
    if (!file.open(descriptor))
        return std::nullopt;
    return detail::readImageHeader(file);
}

std::optional<ImageHeader> imageHeaderOf(const QByteArray &fileBytes) {
    MemoryBytes bytes(fileBytes);
    return detail::readImageHeader(bytes);
}

QString sizeDisplayText(const std::optional<ImageHeader> &header) {
    if (!header || (header->format.isEmpty() && !header->cameraRaw.isEmpty()))
        return QStringLiteral("Error");
    return QStringLiteral("ImageSze Width: %1  Height: %2")
        .arg(header->size.Width)
        .arg(header->size.Height);
}

} // namespace pelmora
