#include "exifedit.h"

#include <QList>
#include <cstring>
#include <optional>

namespace pelmora {

namespace {

constexpr quint16 kOrientation = 0x0112;
constexpr quint16 kExifIfdPointer = 0x8769;
constexpr quint16 kGpsIfdPointer = 0x8825;
constexpr quint16 kPixelXDimension = 0xA002;
constexpr quint16 kPixelYDimension = 0xA003;
constexpr quint16 kThumbnailOffset = 0x0201;
constexpr quint16 kThumbnailLength = 0x0202;
constexpr quint16 kShort = 3;
constexpr quint16 kLong = 4;

QString damaged() {
    return QStringLiteral("the EXIF block is damaged");
}

// The TIFF structure's bytes, read and written in its byte order, every access bounds-checked.
class TiffBytes {
public:
    explicit TiffBytes(QByteArray &bytes)
        : m_bytes(bytes) {}

    bool readHeader() {
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

    bool has(qint64 at, qint64 length) const {
        return at >= 0 && length >= 0 && at <= m_bytes.size() - length;
    }

    quint32 u16(qint64 at) const {
        const quint32 a = byteAt(at), b = byteAt(at + 1);
        return m_little ? b << 8 | a : a << 8 | b;
    }

    quint32 u32(qint64 at) const {
        const quint32 a = u16(at), b = u16(at + 2);
        return m_little ? b << 16 | a : a << 16 | b;
    }

    void put16(qint64 at, quint32 value) {
        setByteAt(at + (m_little ? 0 : 1), value & 0xFF);
        setByteAt(at + (m_little ? 1 : 0), value >> 8 & 0xFF);
    }

    void put32(qint64 at, quint32 value) {
        put16(at + (m_little ? 0 : 2), value & 0xFFFF);
        put16(at + (m_little ? 2 : 0), value >> 16);
    }

    // Zeroes what of [at, at + length) lies inside the structure.
    void zero(qint64 at, qint64 length) {
        const qint64 from = qMax<qint64>(at, 0);
        const qint64 to = qMin<qint64>(at + length, m_bytes.size());
        if (from < to)
            std::memset(m_bytes.data() + from, 0, size_t(to - from));
    }

    void move(qint64 to, qint64 from, qint64 length) {
        std::memmove(m_bytes.data() + to, m_bytes.constData() + from, size_t(length));
    }

private:
    quint32 byteAt(qint64 at) const { return quint8(m_bytes[qsizetype(at)]); }
    void setByteAt(qint64 at, quint32 value) { m_bytes[qsizetype(at)] = char(value); }

    QByteArray &m_bytes;
    bool m_little = false;
};

struct Entry {
    qint64 at; // where its 12 bytes start
    quint16 tag;
    quint16 type;
    quint32 count;
};

struct Ifd {
    qint64 at;
    QList<Entry> entries;

    qint64 nextIfdAt() const { return at + 2 + 12 * entries.size(); }
    qint64 length() const { return 2 + 12 * entries.size() + 4; }

    std::optional<Entry> find(quint16 tag) const {
        for (const Entry &e : entries)
            if (e.tag == tag)
                return e;
        return std::nullopt;
    }
};

std::optional<Ifd> readIfd(const TiffBytes &tiff, qint64 at) {
    if (at < 8 || !tiff.has(at, 2))
        return std::nullopt;
    Ifd ifd{at, {}};
    const qint64 count = tiff.u16(at);
    if (!tiff.has(at + 2, 12 * count + 4))
        return std::nullopt;
    ifd.entries.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        const qint64 e = at + 2 + 12 * i;
        ifd.entries.append({e, quint16(tiff.u16(e)), quint16(tiff.u16(e + 2)), tiff.u32(e + 4)});
    }
    return ifd;
}

qint64 typeSize(quint16 type) {
    switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
        return 1; // BYTE, ASCII, SBYTE, UNDEFINED
    case 3:
    case 8:
        return 2; // SHORT, SSHORT
    case 4:
    case 9:
    case 11:
    case 13:
        return 4; // LONG, SLONG, FLOAT, IFD
    case 5:
    case 10:
    case 12:
        return 8; // RATIONAL, SRATIONAL, DOUBLE
    default:
        return 0;
    }
}

// The number a one-number SHORT or LONG entry holds (an offset, a length).
std::optional<quint32> numberOf(const TiffBytes &tiff, const Entry &e) {
    if (e.count != 1)
        return std::nullopt;
    if (e.type == kShort)
        return tiff.u16(e.at + 8);
    if (e.type == kLong || e.type == 13)
        return tiff.u32(e.at + 8);
    return std::nullopt;
}

std::optional<Ifd> readIfdAt(const TiffBytes &tiff, const Entry &pointer) {
    const std::optional<quint32> at = numberOf(tiff, pointer);
    return at ? readIfd(tiff, *at) : std::nullopt;
}

struct Area {
    qint64 at;
    qint64 length;
};

// An IFD and the values its entries hold outside it.
void addIfdAreas(QList<Area> &areas, const TiffBytes &tiff, const Ifd &ifd) {
    for (const Entry &e : ifd.entries) {
        const qint64 size = typeSize(e.type) * e.count;
        if (size > 4)
            areas.append({tiff.u32(e.at + 8), size});
    }
    areas.append({ifd.at, ifd.length()});
}

// Sets a one-number SHORT or LONG entry; false for an entry of another shape.
bool setNumber(TiffBytes &tiff, const Entry &e, quint32 value) {
    if (e.count != 1 || (e.type == kShort && value > 0xFFFF))
        return false;
    if (e.type == kShort)
        tiff.put16(e.at + 8, value);
    else if (e.type == kLong)
        tiff.put32(e.at + 8, value);
    else
        return false;
    return true;
}

} // namespace

Result<QByteArray> exifForResized(QByteArray bytes, QSize pixels, bool keepLocation) {
    TiffBytes tiff(bytes);
    if (!tiff.readHeader())
        return failure(damaged());
    const std::optional<Ifd> ifd0 = readIfd(tiff, tiff.u32(4));
    if (!ifd0)
        return failure(damaged());

    // Everything is read before anything is written: in damaged data the areas may overlap.
    std::optional<Ifd> exifIfd;
    if (const std::optional<Entry> pointer = ifd0->find(kExifIfdPointer)) {
        exifIfd = readIfdAt(tiff, *pointer);
        if (!exifIfd)
            return failure(damaged());
    }
    QList<Area> cleared;
    const std::optional<Entry> gpsPointer =
        keepLocation ? std::nullopt : ifd0->find(kGpsIfdPointer);
    if (gpsPointer) {
        const std::optional<Ifd> gpsIfd = readIfdAt(tiff, *gpsPointer);
        if (!gpsIfd) // its bytes cannot be found to be cleared: leave the whole block out
            return failure(damaged());
        addIfdAreas(cleared, tiff, *gpsIfd);
    }
    if (const std::optional<Ifd> ifd1 = readIfd(tiff, tiff.u32(ifd0->nextIfdAt()))) {
        const std::optional<Entry> offset = ifd1->find(kThumbnailOffset);
        const std::optional<Entry> length = ifd1->find(kThumbnailLength);
        const std::optional<quint32> thumbnailAt = offset ? numberOf(tiff, *offset) : std::nullopt;
        const std::optional<quint32> thumbnailLength =
            length ? numberOf(tiff, *length) : std::nullopt;
        if (thumbnailAt && thumbnailLength)
            cleared.append({*thumbnailAt, *thumbnailLength});
        addIfdAreas(cleared, tiff, *ifd1);
    }

    // Upright, and the size of the pixels.
    if (const std::optional<Entry> e = ifd0->find(kOrientation); e && !setNumber(tiff, *e, 1))
        return failure(QStringLiteral("the EXIF orientation cannot be set upright"));
    if (exifIfd) {
        for (const auto &[tag, value] : {std::pair{kPixelXDimension, pixels.width()},
                                         std::pair{kPixelYDimension, pixels.height()}}) {
            if (const std::optional<Entry> e = exifIfd->find(tag))
                (void)setNumber(tiff, *e, quint32(value));
        }
    }

    // No thumbnail of the original (IFD1 and the picture it points at) and, unless kept, no
    // position: their bytes cleared, IFD1 unlinked and the GPS entry taken out of IFD0.
    for (const Area &area : cleared)
        tiff.zero(area.at, area.length);
    tiff.put32(ifd0->nextIfdAt(), 0);
    if (gpsPointer) {
        const qint64 after = gpsPointer->at + 12;
        const qint64 end = ifd0->nextIfdAt() + 4;
        tiff.move(gpsPointer->at, after, end - after);
        tiff.put16(ifd0->at, quint32(ifd0->entries.size() - 1));
        tiff.zero(end - 12, 12);
    }
    return bytes;
}

} // namespace pelmora
