#include "tiffbytes.h"

#include <cstring>

namespace pelmora {

bool TiffBytes::readHeader() {
    if (!has(0, 8))
        return false;
    if (m_bytes.startsWith("II"))
        m_little = true;
    else if (m_bytes.startsWith("MM"))
        m_little = false;
    else
        return false;
    return u16(2) == 42;
}

quint32 TiffBytes::u16(qint64 at) const {
    const quint32 a = byteAt(at), b = byteAt(at + 1);
    return m_little ? b << 8 | a : a << 8 | b;
}

quint32 TiffBytes::u32(qint64 at) const {
    const quint32 a = u16(at), b = u16(at + 2);
    return m_little ? b << 16 | a : a << 16 | b;
}

void TiffBytes::put16(qint64 at, quint32 value) {
    setByteAt(at + (m_little ? 0 : 1), value & 0xFF);
    setByteAt(at + (m_little ? 1 : 0), value >> 8 & 0xFF);
}

void TiffBytes::put32(qint64 at, quint32 value) {
    put16(at + (m_little ? 0 : 2), value & 0xFFFF);
    put16(at + (m_little ? 2 : 0), value >> 16);
}

void TiffBytes::zero(qint64 at, qint64 length) {
    const qint64 from = qMax<qint64>(at, 0);
    const qint64 to = qMin<qint64>(at + length, m_bytes.size());
    if (from < to)
        std::memset(m_bytes.data() + from, 0, size_t(to - from));
}

void TiffBytes::move(qint64 to, qint64 from, qint64 length) {
    std::memmove(m_bytes.data() + to, m_bytes.constData() + from, size_t(length));
}

} // namespace pelmora
