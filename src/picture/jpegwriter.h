#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QImage>

namespace pelmora {

// The image as the bytes of a JPEG file at the given quality (0..100), Huffman tables optimised.
Result<QByteArray> encodeJpeg(const QImage &image, int quality);

} // namespace pelmora
