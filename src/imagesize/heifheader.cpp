#include "heifheader.h"

#include "headerfile.h"

#include <algorithm>
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

// A HEIF of no particular coding: a still picture (mif1) or a sequence (msf1).
bool isContainerBrand(quint32 brand) {
    return brand == fourcc("mif1") || brand == fourcc("msf1");
}

// The format of a file whose brands name no coding, by the type of its primary item.
const char *itemFormat(quint32 itemType) {
    switch (itemType) {
    case fourcc("hvc1"):
        return "heic";
    case fourcc("av01"):
        return "avif";
    // Other codings, and pictures made of other items (a grid of tiles, an overlay, a
    // transformed copy): each has its own size property as the coded ones do.
    case fourcc("vvc1"):
    case fourcc("avc1"):
    case fourcc("jpeg"):
    case fourcc("j2k1"):
    case fourcc("unci"):
    case fourcc("grid"):
    case fourcc("iovl"):
    case fourcc("iden"):
        return "heif";
    default: // metadata (Exif, mime) or a type nobody knows: no picture
        return nullptr;
    }
}

// Bounds on what a damaged or hostile file can make the reader walk through.
constexpr int MaxBoxesWalked = 64;
constexpr int MaxProperties = 256;
constexpr int MaxFtypLength = 4096;
constexpr int MaxItems = 1024;

using detail::be16;
using detail::be32;

struct Box {
    quint32 type = 0;
    qint64 payload = 0; // where the contents start, past the size and type
    qint64 end = 0;
};

// The box whose header starts at `at`, inside a parent that ends at `limit`.
std::optional<Box> boxAt(ByteSource &file, qint64 at, qint64 limit) {
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
std::optional<Box> findBox(ByteSource &file, qint64 from, qint64 limit, quint32 type) {
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

std::optional<FullBox> fullBoxHeader(ByteSource &file, const Box &box) {
    if (box.end - box.payload < 4)
        return std::nullopt;
    const unsigned char *p = file.bytes(box.payload, 4);
    if (!p)
        return std::nullopt;
    return FullBox{p[0], quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3]};
}

std::optional<quint32> primaryItem(ByteSource &file, const Box &pitm) {
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
std::optional<std::vector<int>> itemProperties(ByteSource &file, const Box &ipma, quint32 item) {
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

// The type of the item among the item information entries (iinf). Entries of version 0 and 1
// carry no type and tell nothing.
std::optional<quint32> itemType(ByteSource &file, const Box &iinf, quint32 item) {
    const std::optional<FullBox> header = fullBoxHeader(file, iinf);
    if (!header)
        return std::nullopt;
    qint64 at = iinf.payload + 4 + (header->version == 0 ? 2 : 4); // past the entry count
    for (int walked = 0; walked < MaxItems && at < iinf.end; ++walked) {
        const std::optional<Box> infe = boxAt(file, at, iinf.end);
        if (!infe)
            return std::nullopt;
        at = infe->end;
        const std::optional<FullBox> entry =
            infe->type == fourcc("infe") ? fullBoxHeader(file, *infe) : std::nullopt;
        if (!entry || entry->version < 2)
            continue;
        const qsizetype idLength = entry->version == 2 ? 2 : 4;
        const qsizetype length = idLength + 2 + 4; // the ID, a protection index, the type
        const unsigned char *p = infe->end - infe->payload >= 4 + length
                                     ? file.bytes(infe->payload + 4, length)
                                     : nullptr;
        if (!p)
            return std::nullopt;
        if ((idLength == 2 ? be16(p) : be32(p)) == item)
            return be32(p + idLength + 2);
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

// The picture's size as its properties make it, applied in the order the item lists them, as
// libheif applies them: the stored size (ispe) sets it, and only what comes after it changes
// it. So a rotation or a crop listed before the size is not applied to the size: libheif's own
// encoder lists a rotation first and stores the size already turned.
struct Geometry {
    qint64 width = -1; // -1: no size yet
    qint64 height = -1;
};

bool applyProperty(ByteSource &file, const Box &property, Geometry &geometry) {
    const qint64 length = property.end - property.payload;
    const bool sized = geometry.width >= 0;
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
        if (!p)
            return false;
        if (!sized)
            return true;
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
        if (sized && (p[0] & 1) != 0)
            std::swap(geometry.width, geometry.height);
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
    header.size.Width = int(geometry.width);
    header.size.Height = int(geometry.height);
    header.format = format;
    return header;
}

// The brands of a file-type box at the start of the bytes: the major brand, then the
// compatible ones. Nothing when the bytes start with no file-type box.
std::optional<std::vector<quint32>> brands(QByteArrayView fileStart) {
    const auto *p = reinterpret_cast<const unsigned char *>(fileStart.data());
    const qsizetype available = fileStart.size();
    if (available < 16 || be32(p + 4) != fourcc("ftyp"))
        return std::nullopt;
    const qsizetype end = qMin<qsizetype>(available, be32(p));
    std::vector<quint32> all{be32(p + 8)};
    for (qsizetype at = 16; at + 4 <= end; at += 4) // past the minor version
        all.push_back(be32(p + at));
    return all;
}

} // namespace

std::optional<QString> heifFormat(QByteArrayView fileStart) {
    const std::optional<std::vector<quint32>> all = brands(fileStart);
    if (!all)
        return std::nullopt;
    for (quint32 brand : *all) {
        if (const char *format = brandFormat(brand))
            return QString::fromLatin1(format);
    }
    return std::nullopt;
}

bool isHeifFile(QByteArrayView fileStart) {
    const std::optional<std::vector<quint32>> all = brands(fileStart);
    return all && std::any_of(all->begin(), all->end(), [](quint32 brand) {
               return brandFormat(brand) || isContainerBrand(brand);
           });
}

std::optional<ImageHeader> detail::readHeifHeader(ByteSource &file) {
    const std::optional<Box> ftyp = boxAt(file, 0, file.size());
    if (!ftyp || ftyp->type != fourcc("ftyp") || ftyp->payload != 8)
        return std::nullopt;
    const qsizetype ftypLength = qsizetype(qMin<qint64>(ftyp->end, MaxFtypLength));
    const unsigned char *p = file.bytes(0, ftypLength);
    if (!p)
        return std::nullopt;
    const QByteArrayView start(reinterpret_cast<const char *>(p), ftypLength);
    if (!isHeifFile(start))
        return std::nullopt;
    std::optional<QString> format = heifFormat(start); // nothing yet for mif1 and msf1 alone

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
    if (!format) {
        const std::optional<Box> iinf = findBox(file, children, meta->end, fourcc("iinf"));
        const std::optional<quint32> type = iinf ? itemType(file, *iinf, *primary) : std::nullopt;
        if (!type)
            return unread;
        const char *coding = itemFormat(*type);
        if (!coding)
            return std::nullopt;
        format = QString::fromLatin1(coding);
    }

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
