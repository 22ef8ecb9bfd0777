#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

namespace pelmora {

// Resamples the picture that covers `source` (in image pixels) to `target` with a separable
// Lanczos3 filter, working on the 8-bit values as they are (gamma space). `source` may end inside
// the last row or column, as it does when those were decoded partly from padding; pixels outside
// it are never read. When reducing, the filter widens with the scale. The result is opaque RGB32,
// or, from a premultiplied ARGB32 picture, premultiplied ARGB32 with its transparency resampled
// alike.
QImage lanczosResample(const QImage &image, const QRectF &source, QSize target);

} // namespace pelmora
