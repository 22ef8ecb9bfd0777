#pragma once

#include <QSize>
#include <optional>

namespace pelmora {

// The size a photo takes when its longer side becomes longerSide pixels: the longer side is
// exactly that length, the shorter one is rounded down and at least 1. A longerSide of 0 keeps the
// size. Nothing for an empty photo or a negative length.
std::optional<QSize> scaledToLongerSide(QSize photo, int longerSide);

// The size libjpeg decodes a stored size at when scaling by eighths/8 (1..8).
QSize jpegScaledSize(QSize stored, int eighths);

// The smallest decoding scale, in eighths, that leaves enough margin for one clean reduction to
// longerSide afterwards: a decoded longer side of at least 1.25 times longerSide, or twice it at
// the 1/8, 2/8 and 4/8 scales, whose decodes carry folded detail. 8 (full size) when longerSide is
// 0 or no smaller scale is large enough.
int reductionEighths(QSize stored, int longerSide);

// The scale a JPEG is decoded at for a reduction to longerSide: reductionEighths, made smaller
// where that would decode more than kMaxDecodePixels.
int decodeEighths(QSize stored, int longerSide);

} // namespace pelmora
