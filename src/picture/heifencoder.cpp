#include "heifencoder.h"

#include "picture/heif/libheif.h"

#include <QString>
#include <cstring>
#include <memory>

namespace pelmora {

namespace {

// Loaded by the time any of these helpers runs: encode() loads it first.
const LibHeif &heif() {
    return *libHeif();
}

heif_error appendTo(heif_context *, const void *data, size_t size, void *bytes) {
    static_cast<QByteArray *>(bytes)->append(static_cast<const char *>(data), qsizetype(size));
    return {heif_error_Ok, heif_suberror_Unspecified, ""};
}

// Sets the encoder's own parameters: its effort, and its threads within what the photo may use.
//
// AV1 through libheif's aom rather than through libavif (with aom, SVT-AV1 or rav1e), measured on
// the benchmark corpus reduced to 250 pixels (one thread, bytes at the same SSIMULACRA distance
// from the reduced picture): SVT-AV1 1.4 refuses the odd sizes most resized photos have and prints
// its settings on every photo; rav1e 0.5 took 2 to 3 times aom's time for 10 % more bytes; aom
// through libavif gave 1 % more bytes than through libheif, which is loaded for HEIF photos
// already. aom's speed 6 (libheif's default), measured at 1024 pixels: speed 8 took 0.6 times its
// time for 7 % more bytes at the same distance, speed 5 2.3 times its time for the same bytes.
// HEVC through x265 with preset "medium": "slow" (libheif's default) gave no fewer bytes at the
// same distance (2 % more) in about the same time.
void setEffort(heif_encoder *encoder, PictureFormat format, int threads) {
    const QByteArray count = QByteArray::number(threads);
    if (format == PictureFormat::Avif) {
        heif().heif_encoder_set_parameter(encoder, "speed", "6");
        heif().heif_encoder_set_parameter(encoder, "threads", count.constData());
    } else {
        heif().heif_encoder_set_parameter(encoder, "preset", "medium");
        // x265's own thread pool: by default one thread per core for every photo encoded at once.
        heif().heif_encoder_set_parameter(encoder, "x265:pools", count.constData());
        heif().heif_encoder_set_parameter(encoder, "x265:frame-threads", "1");
    }
}

// The picture as libheif takes it: 8-bit interleaved RGB, or RGBA with its transparency.
std::unique_ptr<heif_image, HeifRelease> heifImage(const QImage &picture, QString &error) {
    const bool alpha = picture.hasAlphaChannel();
    const QImage rgb =
        picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (rgb.isNull()) {
        error = QStringLiteral("out of memory");
        return {};
    }
    heif_image *created = nullptr;
    heif_error made = heif().heif_image_create(
        rgb.width(), rgb.height(), heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, &created);
    std::unique_ptr<heif_image, HeifRelease> image(created);
    if (made.code == heif_error_Ok)
        made = heif().heif_image_add_plane(image.get(), heif_channel_interleaved, rgb.width(),
                                           rgb.height(), 8);
    if (made.code != heif_error_Ok) {
        error = QString::fromUtf8(made.message);
        return {};
    }
    int stride = 0;
    uint8_t *plane = heif().heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    const qsizetype rowBytes = qsizetype(rgb.width()) * (alpha ? 4 : 3);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), size_t(rowBytes));
    return image;
}

class HeifEncoder final : public PictureEncoder {
public:
    explicit HeifEncoder(PictureFormat format)
        : m_format(format) {}

    Result<QByteArray> encode(const QImage &picture, const EncoderSettings &settings,
                              const EmbeddedMetadata &metadata) const override {
        QString error;
        if (!libHeif(&error))
            return fail(error);
        const std::unique_ptr<heif_context, HeifRelease> context(heif().heif_context_alloc());
        if (!context)
            return fail(QStringLiteral("out of memory"));
        heif_encoder *found = nullptr;
        const heif_error got = heif().heif_context_get_encoder_for_format(
            context.get(),
            m_format == PictureFormat::Avif ? heif_compression_AV1 : heif_compression_HEVC, &found);
        const std::unique_ptr<heif_encoder, HeifRelease> encoder(found);
        if (got.code != heif_error_Ok || !encoder)
            return fail(QString::fromUtf8(got.message));
        heif().heif_encoder_set_logging_level(encoder.get(), 0); // reasons come back as errors
        heif().heif_encoder_set_lossy_quality(encoder.get(), settings.quality);
        setEffort(encoder.get(), m_format, std::max(settings.threads, 1));

        const std::unique_ptr<heif_image, HeifRelease> image = heifImage(picture, error);
        if (!image)
            return fail(error);
        if (!metadata.icc.isEmpty())
            heif().heif_image_set_raw_color_profile(image.get(), "prof", metadata.icc.constData(),
                                                    size_t(metadata.icc.size()));
        const std::unique_ptr<heif_encoding_options, HeifRelease> options(
            heif().heif_encoding_options_alloc());
        heif_image_handle *encoded = nullptr;
        const heif_error done = heif().heif_context_encode_image(
            context.get(), image.get(), encoder.get(), options.get(), &encoded);
        const std::unique_ptr<heif_image_handle, HeifRelease> handle(encoded);
        if (done.code != heif_error_Ok || !handle)
            return fail(QString::fromUtf8(done.message));
        if (!metadata.exif.isEmpty() &&
            heif().heif_context_add_exif_metadata(context.get(), handle.get(),
                                                  metadata.exif.constData(),
                                                  int(metadata.exif.size()))
                    .code != heif_error_Ok)
            return fail(QStringLiteral("libheif refused the EXIF"));
        if (!metadata.xmp.isEmpty() &&
            heif().heif_context_add_XMP_metadata(context.get(), handle.get(),
                                                 metadata.xmp.constData(), int(metadata.xmp.size()))
                    .code != heif_error_Ok)
            return fail(QStringLiteral("libheif refused the XMP"));

        QByteArray bytes;
        heif_writer writer{1, appendTo};
        const heif_error written = heif().heif_context_write(context.get(), &writer, &bytes);
        if (written.code != heif_error_Ok)
            return fail(QString::fromUtf8(written.message));
        return bytes;
    }

    bool embedsMetadata() const override { return true; }

private:
    Failure fail(const QString &detail) const { return failure(encodingFailure(m_format, detail)); }

    const PictureFormat m_format;
};

} // namespace

const PictureEncoder &heifEncoder(PictureFormat format) {
    static const HeifEncoder avif(PictureFormat::Avif);
    static const HeifEncoder heic(PictureFormat::Heic);
    return format == PictureFormat::Avif ? avif : heic;
}

} // namespace pelmora
