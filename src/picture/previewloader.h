#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace pelmora {

// A photo decoded for the preview, and the upright size of the whole photo (a reduced decode
// rounds its sides, and the fit into the frame goes by the photo's own proportions).
struct PreviewPicture {
    QImage image;
    QSize photoSize;
};

// The photo at path for showing in a frame of the given size: upright by its EXIF orientation
// (a HEIC or AVIF by its own rotation), a JPEG decoded at the smallest M/8 scale that still
// fills what the frame shows of it, a HEIC or AVIF at the size the frame shows (from its own
// thumbnail when that is large enough), other formats at full size. The caller scales it into
// the frame. Nothing for an unreadable file. A camera's RAW file shows the preview a decoder finds
// in it with the size of the camera's full picture, and nothing when its header does not tell it.
std::optional<PreviewPicture> loadPreviewPicture(const QString &path, QSize frame);

} // namespace pelmora
