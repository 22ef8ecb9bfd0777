#pragma once

namespace pelmora {

// The settings of the lossy encoders that give a resized photo about the same visual distance
// from the reduced picture as our JPEG at the same quality (0..100, ten times the slider's
// position), calibrated on the benchmark corpus with SSIMULACRA and Butteraugli at 250 and 1024
// pixels (the table is in the README; bench/calibrate-quality measures it again). A quality
// between two positions takes the setting between theirs.
int webpQuality(int jpegQuality); // libwebp's quality, 0..100
int avifQuality(int jpegQuality); // libheif's quality for aom, 0..100
int heicQuality(int jpegQuality); // libheif's quality for x265, 0..100

} // namespace pelmora
