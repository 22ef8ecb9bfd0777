#include "resizedjpeg.h"

#include "picture/imagelimits.h"
#include "picture/jpegwriter.h"
#include "picture/lanczos.h"
#include "picture/metadata.h"
#include "picture/photoloader.h"
#include "picture/resizegeometry.h"

#include <QColorSpace>
#include <QCoreApplication>

namespace pelmora {

namespace {

QImage scaledPhoto(const LoadedPhoto &photo, QSize target) {
    const QRectF whole(QPointF(0, 0), QSizeF(photo.image.size()));
    if (target == photo.image.size() && photo.extent == whole)
        return photo.image;
    // Enlarged too: Qt's smooth scaling would hold the picture twice over at the larger size.
    return lanczosResample(photo.image, photo.extent, target);
}

} // namespace

Result<ResizedJpeg> resizeToJpegBytes(const QByteArray &bytes, const ResizeOptions &options) {
    const Result<LoadedPhoto> loaded = loadPhotoForResize(bytes, options.longerSide);
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

    Result<QByteArray> jpeg = encodeJpeg(picture, options.jpegQuality);
    if (!jpeg)
        return failure(jpeg.reason());
    CarriedMetadata carried = withPhotoMetadata(*jpeg, bytes, picture.size(), options.metadata);
    ResizedJpeg resized{std::move(carried.jpeg), picture.size(), std::move(carried.warnings)};
    if (photo.dataDamaged)
        resized.warnings.prepend(
            {QCoreApplication::translate(
                 "pelmora", "the photo's data is damaged: converted as far as it could be read"),
             {}});
    return resized;
}

} // namespace pelmora
