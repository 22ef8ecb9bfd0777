#include "jpegblockpadding.h"

#include "imagesize/jpegmarkers.h"

#include <algorithm>

namespace pelmora {

namespace {

int ceilDiv(int a, int b) {
    return (a + b - 1) / b;
}

int roundUpToBlock(int length) {
    return ceilDiv(length, 8) * 8;
}

struct Sampling {
    int h = 0;
    int v = 0;
};

// Number of MCUs and of blocks per component along both axes: what the scans walk through.
bool sameLayout(QSize a, QSize b, const Sampling *components, int count) {
    int hMax = 0;
    int vMax = 0;
    for (int i = 0; i < count; ++i) {
        hMax = std::max(hMax, components[i].h);
        vMax = std::max(vMax, components[i].v);
    }
    if (hMax == 0 || vMax == 0)
        return false;
    if (ceilDiv(a.width(), 8 * hMax) != ceilDiv(b.width(), 8 * hMax) ||
        ceilDiv(a.height(), 8 * vMax) != ceilDiv(b.height(), 8 * vMax))
        return false;
    for (int i = 0; i < count; ++i) {
        const Sampling s = components[i];
        const auto blocks = [](int length, int factor, int maxFactor) {
            return ceilDiv(ceilDiv(length * factor, maxFactor), 8);
        };
        if (blocks(a.width(), s.h, hMax) != blocks(b.width(), s.h, hMax) ||
            blocks(a.height(), s.v, vMax) != blocks(b.height(), s.v, vMax))
            return false;
    }
    return true;
}

} // namespace

std::optional<JpegFrame> readJpegFrame(const QByteArray &bytes) {
    if (bytes.size() < 4 || !bytes.startsWith("\xFF\xD8"))
        return std::nullopt;
    MemoryBytes source(bytes);
    JpegMarkerWalker walker(source, bytes.size());
    while (const std::optional<JpegSegment> segment = walker.next()) {
        if (!isJpegFrameMarker(segment->marker))
            continue;
        // length, precision, height, width, component count, then three bytes per component
        const unsigned char *p =
            segment->length >= 8 ? source.bytes(segment->lengthAt, 8) : nullptr;
        if (!p)
            return std::nullopt;
        JpegFrame frame;
        frame.sizeOffset = segment->lengthAt + 3;
        frame.size = QSize(p[5] << 8 | p[6], p[3] << 8 | p[4]);
        const int count = p[7];
        const unsigned char *c = count >= 1 && count <= 4 && segment->length >= 8 + 3 * count
                                     ? source.bytes(segment->lengthAt + 8, 3 * count)
                                     : nullptr;
        if (!c)
            return frame;
        Sampling components[4];
        for (int i = 0; i < count; ++i)
            components[i] = {c[3 * i + 1] >> 4, c[3 * i + 1] & 0x0F};
        const QSize padded(roundUpToBlock(frame.size.width()), roundUpToBlock(frame.size.height()));
        frame.paddable = !frame.size.isEmpty() && sameLayout(frame.size, padded, components, count);
        return frame;
    }
    return std::nullopt;
}

std::optional<QByteArray> padJpegToBlocks(const QByteArray &bytes) {
    const std::optional<JpegFrame> frame = readJpegFrame(bytes);
    if (!frame || !frame->paddable)
        return std::nullopt;
    const QSize padded(roundUpToBlock(frame->size.width()), roundUpToBlock(frame->size.height()));
    if (padded == frame->size || padded.width() > 0xFFFF || padded.height() > 0xFFFF)
        return std::nullopt;
    QByteArray out = bytes;
    const qsizetype at = frame->sizeOffset;
    out[at] = char(padded.height() >> 8);
    out[at + 1] = char(padded.height() & 0xFF);
    out[at + 2] = char(padded.width() >> 8);
    out[at + 3] = char(padded.width() & 0xFF);
    return out;
}

} // namespace pelmora
