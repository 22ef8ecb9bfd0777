#include "previewloading.h"

#include "convert/previewloader.h"

#include <QImageIOHandler>
#include <QImageReader>

std::optional<PreviewPicture> loadPreviewPicture(const QString &path, QSize frame) {
    std::optional<QImage> image = pelmora::loadPreviewImage(path, frame);
    if (!image)
        return std::nullopt;
    // The fit uses the whole photo's proportions, which a reduced decode rounds.
    QImageReader header(path);
    QSize full = header.size();
    if (header.transformation() & QImageIOHandler::TransformationRotate90)
        full.transpose();
    if (full.isEmpty())
        full = image->size();
    return PreviewPicture{std::move(*image), full};
}
