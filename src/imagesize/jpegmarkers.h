#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace pelmora {

// Where a reader's bytes come from: a file read in small blocks, or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The n bytes at offset, valid until the next call, or nullptr when they are not all there.
    virtual const unsigned char *bytes(qint64 offset, qsizetype n) = 0;
    // How many bytes there are in all.
    virtual qint64 size() const = 0;
};

class MemoryBytes final : public ByteSource {
public:
    explicit MemoryBytes(const QByteArray &bytes)
        : m_bytes(bytes) {}
    const unsigned char *bytes(qint64 offset, qsizetype n) override;
    qint64 size() const override { return m_bytes.size(); }

private:
    const QByteArray &m_bytes;
};

// A marker segment of a JPEG: its marker code and its length field, which counts the field's
// own two bytes and the segment's body after them.
struct JpegSegment {
    unsigned char marker = 0;
    qint64 lengthAt = 0; // offset of the length field; the body follows it
    qint64 length = 0;
};

// Start-of-frame markers: baseline, extended, progressive and lossless, Huffman or arithmetic
// coded. 0xC4 (Huffman tables), 0xC8 (reserved) and 0xCC (arithmetic conditioning) share the
// range but are no frames.
bool isJpegFrameMarker(unsigned char marker);

// Walks the marker segments of a JPEG from just past its start-of-image marker, reading them
// as libjpeg does, so that everything that looks into a JPEG sees the segments its decoder
// sees: stray bytes before a marker and fill bytes are skipped, markers without a segment
// (restart markers, TEM) are passed over. The start of scan is the last segment given; the walk
// ends there, at the end of image, at a second start of image (which libjpeg refuses), at a
// malformed length, where the bytes run out, or at a marker found at or past limit.
class JpegMarkerWalker {
public:
    explicit JpegMarkerWalker(ByteSource &source, qint64 limit);
    std::optional<JpegSegment> next();

private:
    ByteSource &m_source;
    qint64 m_limit;
    qint64 m_pos = 2;
    bool m_done = false;
};

} // namespace pelmora
