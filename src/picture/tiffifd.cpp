#include "tiffifd.h"

namespace pelmora {

std::optional<TiffIfd::Entry> TiffIfd::find(quint16 tag) const {
    for (const Entry &e : entries)
        if (e.tag == tag)
            return e;
    return std::nullopt;
}

qint64 tiffTypeSize(quint16 type) {
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

std::optional<TiffIfd> readIfd(const TiffBytes &tiff, qint64 at) {
    if (at < 8 || !tiff.has(at, 2))
        return std::nullopt;
    TiffIfd ifd{at, {}};
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

std::optional<TiffIfd> readLikelyIfd(const TiffBytes &tiff, qint64 at) {
    std::optional<TiffIfd> ifd = readIfd(tiff, at);
    if (!ifd || ifd->entries.isEmpty())
        return std::nullopt;
    for (const TiffIfd::Entry &e : ifd->entries)
        if (tiffTypeSize(e.type) == 0)
            return std::nullopt;
    return ifd;
}

QList<ByteArea> areasOf(const TiffBytes &tiff, const TiffIfd &ifd) {
    QList<ByteArea> areas{ifd.area()};
    for (const TiffIfd::Entry &e : ifd.entries) {
        const qint64 size = tiffTypeSize(e.type) * e.count;
        if (size > 4)
            areas.append({tiff.u32(e.at + 8), size});
    }
    return areas;
}

std::optional<quint32> numberOf(const TiffBytes &tiff, const TiffIfd::Entry &e) {
    if (e.count != 1)
        return std::nullopt;
    if (e.type == kTiffShort)
        return tiff.u16(e.at + 8);
    if (e.type == kTiffLong || e.type == kTiffIfd)
        return tiff.u32(e.at + 8);
    return std::nullopt;
}

} // namespace pelmora
