#pragma once

#include "picture/pictureformat.h"

namespace pelmora {

// The setting of the format's encoder that gives a resized photo about the same visual distance
// from the reduced picture as our JPEG at jpegQuality (0..100, ten times the slider's position),
// calibrated on the benchmark corpus with SSIMULACRA and Butteraugli at 250 and 1024 pixels
// (bench/calibrate-quality; the table is in the README). A quality between two positions takes
// the setting between theirs. JPEG's is jpegQuality itself; the lossless formats ignore it.
int encoderQuality(PictureFormat format, int jpegQuality);

} // namespace pelmora
