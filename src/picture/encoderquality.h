#pragma once

#include "picture/pictureformat.h"

#include <QSize>

namespace pelmora {

// The setting of the format's encoder that gives a resized photo of that size about the same
// visual distance from the reduced picture as our JPEG at jpegQuality (0..100, ten times the
// slider's position): calibrated on the benchmark corpus reduced to 250 and to 1024 pixels, the
// lowest setting whose median SSIMULACRA and Butteraugli distances are both no worse than the
// JPEG's (bench/calibrate-quality; the tables are in the README). Between those sizes the setting
// follows the longer side (by its logarithm), beyond them it is theirs; a quality between two
// positions takes the setting between theirs. JPEG's is jpegQuality itself; the lossless formats
// ignore it.
int encoderQuality(PictureFormat format, int jpegQuality, QSize picture);

} // namespace pelmora
