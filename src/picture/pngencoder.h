#pragma once

#include "picture/pictureencoder.h"

namespace pelmora {

// PNG, lossless, 8 bits a channel, through Qt's writer; the metadata in eXIf, iTXt (XMP) and
// iCCP chunks.
const PictureEncoder &pngEncoder();

} // namespace pelmora
