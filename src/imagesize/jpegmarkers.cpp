#include "jpegmarkers.h"

namespace pelmora {

const unsigned char *MemoryBytes::bytes(qint64 offset, qsizetype n) {
    if (n <= 0 || offset < 0 || offset > m_bytes.size() - n)
        return nullptr;
    return reinterpret_cast<const unsigned char *>(m_bytes.constData()) + offset;
}

bool isJpegFrameMarker(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

namespace {

// TEM and RST0-RST7 carry no segment.
bool standsAlone(unsigned char marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

JpegMarkerWalker::JpegMarkerWalker(ByteSource &source, qint64 limit)
    : m_source(source)
    , m_limit(limit) {}

std::optional<JpegSegment> JpegMarkerWalker::next() {
    while (!m_done) {
        // Anything up to an 0xFF is stray, then come fill bytes; 0xFF 0x00 is stuffed data among
        // stray bytes, not a marker.
        qint64 pos = m_pos;
        const unsigned char *p = nullptr;
        bool sawFF = false;
        for (;;) {
            if (pos >= m_limit || !(p = m_source.bytes(pos, 1))) {
                m_done = true;
                return std::nullopt;
            }
            ++pos;
            if (*p == 0xFF)
                sawFF = true;
            else if (sawFF)
                break;
        }
        const unsigned char marker = *p;
        m_pos = pos;
        if (marker == 0x00 || standsAlone(marker))
            continue;
        if (marker == 0xD8 || marker == 0xD9)
            break; // a second start of image is an error to libjpeg
        p = m_source.bytes(pos, 2);
        const qint64 length = p ? qint64(p[0]) << 8 | p[1] : 0;
        if (length < 2)
            break;
        m_pos = pos + length;
        m_done = marker == 0xDA;
        return JpegSegment{marker, pos, length};
    }
    m_done = true;
    return std::nullopt;
}

} // namespace pelmora
