#pragma once

#include "picture/metadata.h"
#include "picture/signature.h"
#include "result/result.h"
#include "result/warning.h"

#include <QByteArray>
#include <QSize>

namespace pelmora {

// How a photo is resized.
struct ResizeOptions {
    int longerSide = 0;   // the longer side in pixels; 0 keeps the photo's size
    int jpegQuality = 50; // 0..100
    StampStyle signature; // no stamp when its text is empty
    MetadataPolicy metadata = MetadataPolicy::WithoutLocation;
};

struct ResizedJpeg {
    QByteArray bytes; // a whole JPEG file
    QSize size;
    // What the user should know of a photo that was converted all the same (its data was
    // damaged, its metadata could not be carried over).
    Warnings warnings;
};

// The photo file's bytes turned upright, scaled so that its longer side is options.longerSide
// (the shorter one rounded down), stamped with the signature and encoded as a JPEG that carries
// the photo's metadata as options.metadata says.
Result<ResizedJpeg> resizeToJpegBytes(const QByteArray &photo, const ResizeOptions &options);

} // namespace pelmora
