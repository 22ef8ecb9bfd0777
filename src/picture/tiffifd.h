#pragma once

#include "picture/bytearea.h"
#include "picture/tiffbytes.h"

#include <QList>
#include <optional>

namespace pelmora {

// One image file directory of a TIFF structure, as read: where it is and its entries.
struct TiffIfd {
    struct Entry {
        qint64 at = 0; // where its 12 bytes start
        quint16 tag = 0;
        quint16 type = 0;
        quint32 count = 0;
    };

    qint64 at = 0;
    QList<Entry> entries;

    // Where the offset of the next directory is stored, just past the entries.
    qint64 nextIfdAt() const { return at + 2 + 12 * entries.size(); }
    ByteArea area() const { return {at, 2 + 12 * entries.size() + 4}; }
    std::optional<Entry> find(quint16 tag) const;
};

inline constexpr quint16 kTiffShort = 3;
inline constexpr quint16 kTiffLong = 4;
inline constexpr quint16 kTiffIfd = 13;

// The size of one value of a TIFF type; 0 for a type TIFF does not define.
qint64 tiffTypeSize(quint16 type);

// The directory at the offset; nothing when it does not lie within the bytes.
std::optional<TiffIfd> readIfd(const TiffBytes &tiff, qint64 at);

// readIfd, for an offset found where it was not stored as one: only a directory that looks like
// one (some entries, each of a TIFF type) is taken.
std::optional<TiffIfd> readLikelyIfd(const TiffBytes &tiff, qint64 at);

// The directory and the values its entries hold outside it.
QList<ByteArea> areasOf(const TiffBytes &tiff, const TiffIfd &ifd);

// The number a one-number SHORT or LONG entry holds (an offset, a length).
std::optional<quint32> numberOf(const TiffBytes &tiff, const TiffIfd::Entry &entry);

} // namespace pelmora
