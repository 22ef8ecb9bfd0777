#include "resizedpicture.h"

#include "picture/encoderquality.h"
#include "picture/imagelimits.h"
#include "picture/lanczos.h"
#include "picture/photoloader.h"
#include "picture/pictureencoder.h"
#include "picture/resizegeometry.h"

#include <QColorSpace>
#include <QCoreApplication>

namespace pelmora {

namespace {

QImage scaledPhoto(const LoadedPhoto &photo, QSize target) {
    const QRectF whole(QPointF(0, 0), QSizeF(photo.image.size()));
    if (target == photo.image.size() && photo.extent == whole) {
        // Pixels only: the texts a decoder attached (a PNG's, which may hold its EXIF in words)
        // would be written again by Qt's writers, past the metadata policy.
        const QImage &image = photo.image;
        return QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                      image.format())
            .copy();
    }
    // Enlarged too: Qt's smooth scaling would hold the picture twice over at the larger size.
    return lanczosResample(photo.image, photo.extent, target);
}

struct EncodedPhoto {
    QByteArray bytes;
    Warnings warnings;
};

// The picture in the format with the photo's metadata: given to an encoder that embeds it, or
// written by the metadata module into what the encoder wrote.
Result<EncodedPhoto> encodeWithMetadata(const QImage &picture, const QByteArray &photo,
                                        const ResizeOptions &options) {
    const PictureEncoder &encoder = pictureEncoder(options.format);
    const EncoderSettings settings{
        encoderQuality(options.format, options.jpegQuality, picture.size()),
        options.encoderThreads};
    MetadataRequest request{options.format, {}, photo, picture.size(), options.metadata};
    if (encoder.embedsMetadata()) {
        CarriedMetadata carried = withPhotoMetadata(request);
        if (carried.embedded.icc.isEmpty()) // what the decoder read, where the module read none
            carried.embedded.icc = picture.colorSpace().iccProfile();
        Result<QByteArray> bytes = encoder.encode(picture, settings, carried.embedded);
        if (!bytes)
            return failure(bytes.reason());
        return EncodedPhoto{std::move(bytes).value(), std::move(carried.warnings)};
    }
    Result<QByteArray> bytes = encoder.encode(picture, settings, {});
    if (!bytes)
        return failure(bytes.reason());
    if (options.format == PictureFormat::Bmp)
        return EncodedPhoto{std::move(bytes).value(), {}};
    request.picture = std::move(bytes).value();
    CarriedMetadata carried = withPhotoMetadata(request);
    return EncodedPhoto{std::move(carried.picture), std::move(carried.warnings)};
}

} // namespace

Result<ResizedPicture> resizePhotoBytes(const QByteArray &bytes, const ResizeOptions &options) {
    const Result<LoadedPhoto> loaded =
        loadPhotoForResize(bytes, options.longerSide, options.format);
    if (!loaded)
        return failure(loaded.reason());
    const LoadedPhoto &photo = *loaded;
    const std::optional<QSize> target = scaledToLongerSide(photo.photoSize, options.longerSide);
    if (!target)
        return failure(QCoreApplication::translate("pelmora", "the picture has no pixels"));
    if (!isWithinOutputLimits(*target)) // a photo whose size only its decode told
        return failure(outputTooLargeReason(*target));

    QImage picture = scaledPhoto(photo, *target);
    if (picture.isNull())
        return failure(
            QCoreApplication::translate("pelmora", "not enough memory to scale the picture"));
    picture.setDotsPerMeterX(photo.image.dotsPerMeterX());
    picture.setDotsPerMeterY(photo.image.dotsPerMeterY());
    picture.setColorSpace(photo.image.colorSpace());
    DrawSignature(picture, options.signature);

    Result<EncodedPhoto> encoded = encodeWithMetadata(picture, bytes, options);
    if (!encoded)
        return failure(encoded.reason());
    ResizedPicture resized{std::move(encoded->bytes), picture.size(), std::move(encoded->warnings)};
    if (photo.dataDamaged)
        resized.warnings.prepend(
            {QCoreApplication::translate(
                 "pelmora", "the photo's data is damaged: converted as far as it could be read"),
             {}});
    return resized;
}

} // namespace pelmora
