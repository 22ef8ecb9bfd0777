#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

namespace pelmora {

struct LoadedPhoto {
    QImage image;    // upright, opaque RGB32 (transparency laid on white), the file's density kept
    QSize photoSize; // the photo's own upright size in pixels
    QRectF extent;   // the area of image that shows the whole photo (its last row and column
                     // may be partly padding after a reduced JPEG decode)
};

// Decodes the photo file's bytes once, upright by its EXIF orientation. A JPEG is decoded at the
// smallest M/8 scale that still leaves a margin for reducing to longerSide (measured upright);
// other formats, and longerSide 0, decode at full size. Any bytes are safe to pass.
Result<LoadedPhoto> loadPhotoForResize(const QByteArray &bytes, int longerSide);

} // namespace pelmora
