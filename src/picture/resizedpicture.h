#pragma once

#include "picture/metadata.h"
#include "picture/pictureformat.h"
#include "picture/signature.h"
#include "result/result.h"
#include "result/warning.h"

#include <QByteArray>
#include <QSize>

namespace pelmora {

// How a photo is resized.
struct ResizeOptions {
    int longerSide = 0; // the longer side in pixels; 0 keeps the photo's size
    // 0..100: the JPEG quality; the other lossy formats take the setting that looks the same
    // (encoderquality.h).
    int jpegQuality = 50;
    StampStyle signature; // no stamp when its text is empty
    MetadataPolicy metadata = MetadataPolicy::WithoutLocation;
    PictureFormat format = PictureFormat::Jpeg; // what the picture is written as
    int encoderThreads = 1;                     // how many threads its encoder may keep busy
};

struct ResizedPicture {
    QByteArray bytes; // a whole file of the format asked for
    QSize size;
    // What the user should know of a photo that was converted all the same (its data was
    // damaged, its metadata could not be carried over).
    Warnings warnings;
};

// The photo file's bytes turned upright, scaled so that its longer side is options.longerSide
// (the shorter one rounded down), stamped with the signature and encoded in options.format,
// carrying the photo's metadata as options.metadata says and its transparency where the format
// keeps it.
Result<ResizedPicture> resizePhotoBytes(const QByteArray &photo, const ResizeOptions &options);

} // namespace pelmora
