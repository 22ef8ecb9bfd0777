#pragma once

#include <QByteArray>
#include <QSize>
#include <optional>

namespace pelmora {

// libjpeg decodes at M/8 only to sizes that are exact when the photo's sides are multiples of 8;
// for other sizes Qt's JPEG reader picks the next larger scale and resamples by itself. A JPEG's
// entropy-coded data always covers whole 8x8 blocks, so declaring the sides rounded up to whole
// blocks decodes the very same data, padding included, at an exact M/8 size.

struct JpegFrame {
    QSize size;               // as declared in the frame header
    qsizetype sizeOffset = 0; // where the height (then the width) is stored, big-endian
    bool paddable = false;    // rounding the sides up to whole blocks leaves the data layout as is
};

// The frame header of a JPEG file's bytes; nothing when there is none before the first scan.
std::optional<JpegFrame> readJpegFrame(const QByteArray &bytes);

// The bytes with the frame's sides rounded up to whole 8x8 blocks; nothing when that would change
// how the data is laid out (or the sides already are whole blocks).
std::optional<QByteArray> padJpegToBlocks(const QByteArray &bytes);

} // namespace pelmora
