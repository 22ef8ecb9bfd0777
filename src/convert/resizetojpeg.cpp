#include "resizetojpeg.h"

#include "convert/jpegwriter.h"
#include "convert/lanczos.h"
#include "convert/photoloader.h"
#include "convert/resizegeometry.h"
#include "convert/signature.h"

#include <QColorSpace>
#include <QCoreApplication>

namespace pelmora {

namespace {

QImage scaledPhoto(const LoadedPhoto &photo, QSize target) {
    const QRectF whole(QPointF(0, 0), QSizeF(photo.image.size()));
    if (target == photo.image.size() && photo.extent == whole)
        return photo.image;
    if (target.width() > photo.extent.width() && target.height() > photo.extent.height() &&
        photo.extent == whole)
        return photo.image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return lanczosResample(photo.image, photo.extent, target);
}

} // namespace

ResizeResult ResizeToJpeg(const QString &path, const ResizeSettings &settings,
                          Durability durability) {
    const LongerSide longerSide = readLongerSide(settings.longerSide);
    if (!longerSide.ok())
        return {false, longerSide.error, {}};
    if (settings.quality < 1 || settings.quality > 10)
        return {false,
                QCoreApplication::translate("pelmora", "the quality must be 1 to 10, not %1")
                    .arg(settings.quality),
                {}};

    const PhotoLoadResult loaded = loadPhotoForResize(path, longerSide.length);
    if (!loaded.photo)
        return {false, loaded.error, {}};
    const LoadedPhoto &photo = *loaded.photo;
    const std::optional<QSize> target = scaledToLongerSide(photo.photoSize, longerSide.length);
    if (!target)
        return {false, QCoreApplication::translate("pelmora", "the picture has no pixels"), {}};

    QImage picture = scaledPhoto(photo, *target);
    if (picture.isNull())
        return {false,
                QCoreApplication::translate("pelmora", "not enough memory to scale the picture"),
                {}};
    picture.setDotsPerMeterX(photo.image.dotsPerMeterX());
    picture.setDotsPerMeterY(photo.image.dotsPerMeterY());
    picture.setColorSpace(photo.image.colorSpace());
    if (!settings.signature.text.isEmpty())
        DrawSignature(picture, settings.signature);

    if (const std::optional<QString> failure =
            writeJpegFile(picture, path, settings.quality * 10, durability))
        return {false, *failure, {}};
    return {true, {}, picture.size()};
}

} // namespace pelmora
