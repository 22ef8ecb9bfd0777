#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QImage>

namespace pelmora {

// Pictures up to this size get Huffman tables of their own, a few percent smaller; libjpeg then
// keeps the whole picture's coefficients (3 bytes a pixel), which a larger picture cannot afford.
inline constexpr qint64 kLargestOptimizedJpegPixels = 16'000'000;

// The image as the bytes of a JPEG file at the given quality (0..100), Huffman tables optimised
// up to kLargestOptimizedJpegPixels.
Result<QByteArray> encodeJpeg(const QImage &image, int quality);

} // namespace pelmora
