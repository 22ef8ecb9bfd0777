#include "jpegblockpadding.h"

#include <algorithm>

namespace pelmora {

namespace {

int byteAt(const QByteArray &bytes, qsizetype i) {
    return static_cast<unsigned char>(bytes[i]);
}

int wordAt(const QByteArray &bytes, qsizetype i) {
    return byteAt(bytes, i) << 8 | byteAt(bytes, i + 1);
}

bool isStartOfFrame(int marker) {
    // SOF0..SOF15 without DHT (C4), JPG (C8) and DAC (CC)
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

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
    if (bytes.size() < 4 || byteAt(bytes, 0) != 0xFF || byteAt(bytes, 1) != 0xD8)
        return std::nullopt;
    qsizetype i = 2;
    while (i + 1 < bytes.size()) {
        if (byteAt(bytes, i) != 0xFF)
            return std::nullopt;
        int marker = byteAt(bytes, i + 1);
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        i += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // no length
        if (marker == 0xD9 || marker == 0xDA || i + 2 > bytes.size())
            return std::nullopt;
        const int length = wordAt(bytes, i);
        if (length < 2 || i + length > bytes.size())
            return std::nullopt;
        if (isStartOfFrame(marker)) {
            if (length < 8)
                return std::nullopt;
            JpegFrame frame;
            frame.sizeOffset = i + 3;
            frame.size = QSize(wordAt(bytes, i + 5), wordAt(bytes, i + 3));
            const int count = byteAt(bytes, i + 7);
            if (count < 1 || count > 4 || length < 8 + 3 * count)
                return frame;
            Sampling components[4];
            for (int c = 0; c < count; ++c) {
                const int factors = byteAt(bytes, i + 9 + 3 * c);
                components[c] = {factors >> 4, factors & 0x0F};
            }
            const QSize padded(roundUpToBlock(frame.size.width()),
                               roundUpToBlock(frame.size.height()));
            frame.paddable =
                !frame.size.isEmpty() && sameLayout(frame.size, padded, components, count);
            return frame;
        }
        i += length;
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
