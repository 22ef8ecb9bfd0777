#include "heifheader.h"

#include "headerfile.h"

#include <cmath>
#include <limits>
#include <vector>

namespace pelmora {

namespace {

constexpr quint32 fourcc(const char (&code)[5]) {
    return quint32(quint8(code[0])) << 24 | quint32(quint8(code[1])) << 16 |
           quint32(quint8(code[2])) << 8 | quint32(quint8(code[3]));
}

const char *brandFormat(quint32 brand) {
    switch (brand) {
    case fourcc("heic"):
    case fourcc("heix"):
    case fourcc("heim"):
    case fourcc("heis"):
    case fourcc("hevc"):
    case fourcc("hevx"):
        return "heic";
    case fourcc("avif"):
    case fourcc("avis"):
        return "avif";
    default:
        return nullptr;
    }
}

// Bounds on what a damaged or hostile file can make the reader walk through.
constexpr int MaxBoxesWalked = 64;
constexpr int MaxProperties = 256;
constexpr int MaxFtypLength = 4096;

using detail::be16;
using detail::be32;
using detail::HeaderFile;

struct Box {
    quint32 type = 0;
    qint64 payload = 0; // where the contents start, past the size and type
    qint64 end = 0;
};

// The box whose header starts at `at`, inside a parent that ends at `limit`.
std::optional<Box> boxAt(HeaderFile &file, qint64 at, qint64 limit) {
    if (limit - at < 8)
        return std::nullopt;
    const unsigned char *p = file.bytes(at, 8);
    if (!p)
        return std::nullopt;
    Box box;
    box.type = be32(p + 4);
    const quint64 size = be32(p);
    box.payload = at + 8;
    if (size == 1) { // a 64-bit size follows the type
        p = limit - at >= 16 ? file.bytes(at + 8, 8) : nullptr;
        if (!p)
            return std::nullopt;
        const quint64 large = quint64(be32(p)) << 32 | be32(p + 4);
        if (large < 16 || large > quint64(limit - at))
            return std::nullopt;
        box.payload = at + 16;
        box.end = at + qint64(large);
    } else if (size == 0) { // to the end of the parent
        box.end = limit;
    } else {
        if (size < 8 || size > quint64(limit - at))
            return std::nullopt;
        box.end = at + qint64(size);
    }
    return box;
}

// The first box of the type among the boxes from `from` to `limit`.
std::optional<Box> findBox(HeaderFile &file, qint64 from, qint64 limit, quint32 type) {
    qint64 at = from;
    for (int walked = 0; walked < MaxBoxesWalked && at < limit; ++walked) {
        const std::optional<Box> box = boxAt(file, at, limit);
        if (!box)
            return std::nullopt;
        if (box->type == type)
            return box;
        at = box->end;
    }
    return std::nullopt;
}

// A full box starts with a version byte and 24 bits of flags.
struct FullBox {
    int version = 0;
    quint32 flags = 0;
};

std::optional<FullBox> fullBoxHeader(HeaderFile &file, const Box &box) {
    if (box.end - box.payload < 4)
        return std::nullopt;
    const unsigned char *p = file.bytes(box.payload, 4);
    if (!p)
        return std::nullopt;
    return FullBox{p[0], quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3]};
}

std::optional<quint32> primaryItem(HeaderFile &file, const Box &pitm) {
    const std::optional<FullBox> header = fullBoxHeader(file, pitm);
    if (!header)
        return std::nullopt;
    const qsizetype length = header->version == 0 ? 2 : 4;
    if (pitm.end - pitm.payload < 4 + length)
        return std::nullopt;
    const unsigned char *p = file.bytes(pitm.payload + 4, length);
    if (!p)
        return std::nullopt;
    return length == 2 ? be16(p) : be32(p);
}

// The 1-based indices into ipco of the item's properties, in the order the file lists them
// (the order in which they apply). Reads the entries one by one: an ipma may be long.
std::optional<std::vector<int>> itemProperties(HeaderFile &file, const Box &ipma, quint32 item) {
    const std::optional<FullBox> header = fullBoxHeader(file, ipma);
    if (!header)
        return std::nullopt;
    const qsizetype idLength = header->version < 1 ? 2 : 4;
    const qsizetype indexLength = header->flags & 1 ? 2 : 1;
    qint64 at = ipma.payload + 4;
    const auto read = [&](qsizetype n) -> const unsigned char * {
        if (ipma.end - at < n)
            return nullptr;
        const unsigned char *p = file.bytes(at, n);
        at += n;
        return p;
    };
    const unsigned char *p = read(4);
    if (!p)
        return std::nullopt;
    const quint32 entries = be32(p);
    for (quint32 e = 0; e < entries; ++e) {
        p = read(idLength + 1);
        if (!p)
            return std::nullopt;
        const quint32 id = idLength == 2 ? be16(p) : be32(p);
        const int count = p[idLength];
        if (id != item) {
            at += count * indexLength;
            continue;
        }
        std::vector<int> indices;
        for (int i = 0; i < count; ++i) {
            p = read(indexLength);
            if (!p)
                return std::nullopt;
            // the top bit marks an essential property
            indices.push_back(indexLength == 2 ? int(be16(p) & 0x7FFF) : int(p[0] & 0x7F));
        }
        return indices;
    }
    return std::nullopt;
}

// A fraction of the clean aperture box, rounded as the decoder rounds it.
std::optional<qint64> roundedFraction(const unsigned char *p) {
    const qint64 numerator = qint32(be32(p));
    const qint64 denominator = qint32(be32(p + 4));
    if (denominator <= 0 || numerator < 0)
        return std::nullopt;
    return qint64(std::llround(double(numerator) / double(denominator)));
}

struct Geometry {
    qint64 width = -1;
    qint64 height = -1;
    int quarterTurns = 0;
};

bool applyProperty(HeaderFile &file, const Box &property, Geometry &geometry) {
    const qint64 length = property.end - property.payload;
    switch (property.type) {
    case fourcc("ispe"): {
        const unsigned char *p = length >= 12 ? file.bytes(property.payload + 4, 8) : nullptr;
        if (!p)
            return false;
        geometry.width = be32(p);
        geometry.height = be32(p + 4);
        return true;
    }
    case fourcc("clap"): { // width N/D, height N/D, then the offsets
        const unsigned char *p = length >= 32 ? file.bytes(property.payload, 16) : nullptr;
        if (!p || geometry.width < 0)
            return false;
        const std::optional<qint64> width = roundedFraction(p);
        const std::optional<qint64> height = roundedFraction(p + 8);
        if (!width || !height || *width > geometry.width || *height > geometry.height)
            return false;
        geometry.width = *width;
        geometry.height = *height;
        return true;
    }
    case fourcc("irot"): { // anticlockwise, in quarter turns
        const unsigned char *p = length >= 1 ? file.bytes(property.payload, 1) : nullptr;
        if (!p)
            return false;
        geometry.quarterTurns += p[0] & 3;
        return true;
    }
    default: // a mirror (imir) or any other property keeps the size
        return true;
    }
}

ImageHeader sizedHeif(const Geometry &geometry, const QString &format) {
    ImageHeader header;
    constexpr qint64 IntMax = std::numeric_limits<int>::max();
    if (geometry.width < 0 || geometry.height < 0 || geometry.width > IntMax ||
        geometry.height > IntMax)
        return header;
    const bool turned = geometry.quarterTurns % 2 != 0;
    header.size.Width = int(turned ? geometry.height : geometry.width);
    header.size.Height = int(turned ? geometry.width : geometry.height);
    header.format = format;
    return header;
}

} // namespace

std::optional<QString> heifFormat(QByteArrayView fileStart) {
    const auto *p = reinterpret_cast<const unsigned char *>(fileStart.data());
    const qsizetype available = fileStart.size();
    if (available < 16 || be32(p + 4) != fourcc("ftyp"))
        return std::nullopt;
    const qsizetype end = qMin<qsizetype>(available, be32(p));
    if (const char *format = brandFormat(be32(p + 8)))
        return QString::fromLatin1(format);
    for (qsizetype at = 16; at + 4 <= end; at += 4) { // past the minor version
        if (const char *format = brandFormat(be32(p + at)))
            return QString::fromLatin1(format);
    }
    return std::nullopt;
}

std::optional<ImageHeader> detail::readHeifHeader(HeaderFile &file) {
    const std::optional<Box> ftyp = boxAt(file, 0, file.size());
    if (!ftyp || ftyp->type != fourcc("ftyp") || ftyp->payload != 8)
        return std::nullopt;
    const qsizetype ftypLength = qsizetype(qMin<qint64>(ftyp->end, MaxFtypLength));
    const unsigned char *p = file.bytes(0, ftypLength);
    if (!p)
        return std::nullopt;
    const std::optional<QString> format =
        heifFormat(QByteArrayView(reinterpret_cast<const char *>(p), ftypLength));
    if (!format)
        return std::nullopt;

    const ImageHeader unread;
    const std::optional<Box> meta = findBox(file, ftyp->end, file.size(), fourcc("meta"));
    if (!meta || meta->end - meta->payload < 4)
        return unread;
    const qint64 children = meta->payload + 4; // meta is a full box
    const std::optional<Box> pitm = findBox(file, children, meta->end, fourcc("pitm"));
    const std::optional<Box> iprp = findBox(file, children, meta->end, fourcc("iprp"));
    if (!pitm || !iprp)
        return unread;
    const std::optional<quint32> primary = primaryItem(file, *pitm);
    const std::optional<Box> ipco = findBox(file, iprp->payload, iprp->end, fourcc("ipco"));
    if (!primary || !ipco)
        return unread;

    // The item's properties, wherever its entry is among the ipma boxes.
    std::optional<std::vector<int>> indices;
    for (qint64 at = iprp->payload; !indices && at < iprp->end;) {
        const std::optional<Box> ipma = findBox(file, at, iprp->end, fourcc("ipma"));
        if (!ipma)
            break;
        indices = itemProperties(file, *ipma, *primary);
        at = ipma->end;
    }
    if (!indices)
        return unread;

    // Where each property box starts, as far as the item's largest index.
    int largest = 0;
    for (int index : *indices)
        largest = std::max(largest, index);
    if (largest > MaxProperties)
        return unread;
    std::vector<Box> properties;
    for (qint64 at = ipco->payload; int(properties.size()) < largest;) {
        const std::optional<Box> box = boxAt(file, at, ipco->end);
        if (!box)
            return unread;
        properties.push_back(*box);
        at = box->end;
    }

    Geometry geometry;
    for (int index : *indices) {
        if (index == 0) // no property
            continue;
        if (!applyProperty(file, properties[std::size_t(index - 1)], geometry))
            return unread;
    }
    return sizedHeif(geometry, *format);
}

} // namespace pelmora
