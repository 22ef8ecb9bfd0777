#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace pelmora {

// The photo at path for showing in a frame of the given size: upright by its EXIF orientation,
// a JPEG decoded at the smallest M/8 scale that still fills what the frame shows of it (other
// formats at full size). The caller scales it into the frame. Nothing for an unreadable file.
std::optional<QImage> loadPreviewImage(const QString &path, QSize frame);

} // namespace pelmora
