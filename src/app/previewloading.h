#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// A photo decoded for the preview: small enough for the frame, upright, with the size the
// whole photo has.
struct PreviewPicture {
    QImage image;
    QSize fullSize;
};

std::optional<PreviewPicture> loadPreviewPicture(const QString &path, QSize frame);
