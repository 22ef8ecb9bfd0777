#pragma once

#include "imagesize.h"
#include "imagesize/jpegmarkers.h"

namespace pelmora::detail {

// How far into a JPEG the marker walk goes before it gives up: far enough for the metadata
// photo editors pile up before the frame (a wallpaper of Debian's carries 7 MB of XMP there).
constexpr qint64 JpegWalkLimit = 16 * 1024 * 1024;

// The size of a JPEG (signature 0xFF 0xD8 already seen), turned upright when its EXIF
// orientation is 5 to 8. A header whose frame size could not be read gives 0 x 0 and no format.
ImageHeader readJpegHeader(ByteSource &file);

} // namespace pelmora::detail
