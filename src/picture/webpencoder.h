#pragma once

#include "picture/pictureencoder.h"

namespace pelmora {

// WebP through libwebp (lossy), the metadata in the file's EXIF, XMP and ICCP chunks through
// libwebpmux.
const PictureEncoder &webpEncoder();

} // namespace pelmora
