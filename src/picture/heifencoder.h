#pragma once

#include "picture/pictureencoder.h"

namespace pelmora {

// AVIF (AV1) and HEIC (HEVC) through libheif, with its aom and x265 encoders; the metadata as the
// file's Exif and XMP items and its colour profile. Format is PictureFormat::Avif or Heic.
const PictureEncoder &heifEncoder(PictureFormat format);

} // namespace pelmora
