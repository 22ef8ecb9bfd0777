#include "previewloader.h"

#include "imagesize/imagesize.h"
#include "picture/decodermessages.h"
#include "picture/imagelimits.h"
#include "picture/resizegeometry.h"

#include <QImageIOHandler>
#include <QImageReader>

namespace pelmora {

std::optional<PreviewPicture> loadPreviewPicture(const QString &path, QSize frame) {
    raiseImageAllocationLimit();
    // What a decoder finds in a camera's RAW file is a preview: it is shown only at the size of
    // the camera's picture, as the header tells it.
    std::optional<QSize> rawSize;
    if (const std::optional<ImageHeader> header = ReadImageSize(path);
        header && !header->cameraRaw.isEmpty()) {
        if (header->format.isEmpty())
            return std::nullopt;
        rawSize = QSize(header->size.Width, header->size.Height);
    }

    const DecoderMessages decoderMessages; // the preview shows what could be read, silently
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return std::nullopt;
    if (reader.format() == "tiff")
        routeLibtiffMessages();
    const QSize stored = reader.size();
    if (stored.isValid() && !isWithinPhotoLimits(stored))
        return std::nullopt;

    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = quarterTurn ? stored.transposed() : stored;
    const QByteArray format = reader.format();
    if ((format == "heic" || format == "avif") && stored.isValid() && !frame.isEmpty()) {
        // At the size shown, the file's own thumbnail serves when it is that large.
        const QSize shown = upright.scaled(frame, Qt::KeepAspectRatio);
        if (!shown.isEmpty() && shown.width() < upright.width())
            reader.setScaledSize(shown);
    } else if (format == "jpeg" && stored.isValid() && !frame.isEmpty()) {
        const QSize shown = upright.scaled(frame, Qt::KeepAspectRatio);
        for (int m = 1; m < 8; ++m) {
            const QSize decoded = jpegScaledSize(stored, m);
            const QSize decodedUpright = quarterTurn ? decoded.transposed() : decoded;
            if (decodedUpright.width() >= shown.width() &&
                decodedUpright.height() >= shown.height()) {
                reader.setScaledSize(decoded);
                break;
            }
        }
    }

    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    const QSize photoSize = rawSize ? *rawSize : upright.isEmpty() ? image.size() : upright;
    return PreviewPicture{std::move(image), photoSize};
}

} // namespace pelmora
