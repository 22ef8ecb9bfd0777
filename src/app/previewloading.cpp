#include "previewloading.h"

#include <QImageReader>

std::optional<PreviewPicture> loadPreviewPicture(const QString &path, QSize frame) {
    Q_UNUSED(frame);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    const QSize size = image.size();
    return PreviewPicture{std::move(image), size};
}
