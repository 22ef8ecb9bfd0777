#include "pngencoder.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageWriter>
#include <QtEndian>
#include <zlib.h>

namespace pelmora {

namespace {

QByteArray bigEndian32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char *type, const QByteArray &data) {
    const QByteArray typeAndData = QByteArray(type, 4) + data;
    const uLong crc =
        ::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef *>(typeAndData.constData()),
                uInt(typeAndData.size()));
    return bigEndian32(quint32(data.size())) + typeAndData + bigEndian32(quint32(crc));
}

// The chunks that carry the metadata, as readers look for them: the profile before the pixels
// (iCCP), the EXIF (eXIf) and the XMP (iTXt, keyword XML:com.adobe.xmp, uncompressed).
QByteArray metadataChunks(const EmbeddedMetadata &metadata) {
    QByteArray chunks;
    if (!metadata.icc.isEmpty()) // a name, its end, compression method 0: zlib's stream
        chunks +=
            chunk("iCCP", QByteArray("ICC Profile\0\0", 13) + qCompress(metadata.icc).sliced(4));
    if (!metadata.exif.isEmpty())
        chunks += chunk("eXIf", metadata.exif);
    if (!metadata.xmp.isEmpty())
        chunks += chunk("iTXt", QByteArray("XML:com.adobe.xmp\0\0\0\0\0", 22) + metadata.xmp);
    return chunks;
}

class PngEncoder final : public PictureEncoder {
public:
    Result<QByteArray> encode(const QImage &picture, const EncoderSettings &,
                              const EmbeddedMetadata &metadata) const override {
        // Qt writes the pixels (8 bits a channel, the transparency as it is) and their density;
        // the profile comes from the metadata, as the photo had it, not as Qt would write it.
        QImage pixels = picture;
        pixels.setColorSpace(QColorSpace());
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(pixels))
            return failure(encodingFailure(PictureFormat::Png, writer.errorString()));
        // After IHDR (its 13 bytes, behind the 8-byte signature and the chunk's length and type).
        constexpr qsizetype afterHeader = 8 + 8 + 13 + 4;
        if (bytes.size() < afterHeader)
            return failure(encodingFailure(PictureFormat::Png, QStringLiteral("no PNG written")));
        return bytes.first(afterHeader) + metadataChunks(metadata) + bytes.sliced(afterHeader);
    }

    bool embedsMetadata() const override { return true; }
};

} // namespace

const PictureEncoder &pngEncoder() {
    static const PngEncoder encoder;
    return encoder;
}

} // namespace pelmora
