#pragma once

#include <QList>
#include <QtGlobal>

namespace pelmora {

// A run of bytes: where it starts and how long it is.
struct ByteArea {
    qint64 at = 0;
    qint64 length = 0;

    qint64 end() const { return at + length; }
    bool overlaps(const ByteArea &other) const {
        return length > 0 && other.length > 0 && at < other.end() && other.at < end();
    }
};

// What of the areas lies outside every one of the others, in the order of the bytes, with
// touching runs joined.
QList<ByteArea> outside(const QList<ByteArea> &areas, const QList<ByteArea> &others);

} // namespace pelmora
