#pragma once

#include "picture/pictureformat.h"
#include "result/result.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

namespace pelmora {

struct LoadedPhoto {
    QImage image;    // upright, opaque RGB32 (transparency laid on white), or premultiplied ARGB32
                     // when the output keeps transparency; the file's density kept
    QSize photoSize; // the photo's own upright size in pixels
    QRectF extent;   // the area of image that shows the whole photo (its last row and column
                     // may be partly padding after a reduced JPEG decode)
    bool dataDamaged = false; // the file ends early or its data is corrupt: what could be
                              // decoded is there, the rest is grey
};

// Decodes the photo file's bytes once, upright by its EXIF orientation. A JPEG is decoded at the
// smallest M/8 scale that still leaves a margin for reducing to longerSide (measured upright);
// other formats, and longerSide 0, decode at full size. A photo whose resized size would exceed
// kMaxOutputPixels, or whose work with the output format's encoder would exceed
// kLargestPictureWork, is refused before it is decoded, and so is a camera's RAW file (whose
// pictures that a decoder finds are its previews). Its transparency is kept for an output format
// that keeps it, else laid on white. What the decoders say goes nowhere but into
// dataDamaged. Any bytes are safe to pass.
Result<LoadedPhoto> loadPhotoForResize(const QByteArray &bytes, int longerSide,
                                       PictureFormat output = PictureFormat::Jpeg);

// Whether the file at path is a picture that a decoder takes, from its first bytes alone, as
// loadPhotoForResize would say.
Status checkPhotoReadable(const QString &path);

} // namespace pelmora
