#include "pictureencoder.h"

#include "picture/heifencoder.h"
#include "picture/jpegwriter.h"
#include "picture/pngencoder.h"
#include "picture/webpencoder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>

namespace pelmora {

namespace {

class JpegEncoder final : public PictureEncoder {
public:
    Result<QByteArray> encode(const QImage &picture, const EncoderSettings &settings,
                              const EmbeddedMetadata &) const override {
        return encodeJpeg(picture, settings.quality);
    }
    bool embedsMetadata() const override { return false; }
};

// TIFF (LZW, lossless) and BMP as Qt's writers write them.
class QtWriterEncoder final : public PictureEncoder {
public:
    QtWriterEncoder(PictureFormat format, const char *qtFormat, int compression)
        : m_format(format)
        , m_qtFormat(qtFormat)
        , m_compression(compression) {}

    Result<QByteArray> encode(const QImage &picture, const EncoderSettings &,
                              const EmbeddedMetadata &) const override {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, m_qtFormat);
        writer.setCompression(m_compression);
        if (!writer.write(picture))
            return failure(encodingFailure(m_format, writer.errorString()));
        return bytes;
    }
    bool embedsMetadata() const override { return false; }

private:
    const PictureFormat m_format;
    const char *const m_qtFormat;
    const int m_compression;
};

} // namespace

QString encodingFailure(PictureFormat format, const QString &detail) {
    return QCoreApplication::translate("pelmora", "cannot encode the picture as %1: %2")
        .arg(pictureFormatName(format), detail);
}

const PictureEncoder &pictureEncoder(PictureFormat format) {
    static const JpegEncoder jpeg;
    static const QtWriterEncoder tiff(PictureFormat::Tiff, "tiff", 1); // 1: LZW
    static const QtWriterEncoder bmp(PictureFormat::Bmp, "bmp", 0);
    switch (format) {
    case PictureFormat::Jpeg:
        break;
    case PictureFormat::WebP:
        return webpEncoder();
    case PictureFormat::Avif:
    case PictureFormat::Heic:
        return heifEncoder(format);
    case PictureFormat::Png:
        return pngEncoder();
    case PictureFormat::Tiff:
        return tiff;
    case PictureFormat::Bmp:
        return bmp;
    }
    return jpeg;
}

} // namespace pelmora
