#include "bytearea.h"

#include <algorithm>

namespace pelmora {

QList<ByteArea> outside(const QList<ByteArea> &areas, const QList<ByteArea> &others) {
    QList<ByteArea> left;
    for (const ByteArea &area : areas)
        if (area.length > 0)
            left.append(area);
    for (const ByteArea &other : others) {
        QList<ByteArea> cut;
        for (const ByteArea &area : left) {
            if (!area.overlaps(other)) {
                cut.append(area);
                continue;
            }
            if (area.at < other.at)
                cut.append({area.at, other.at - area.at});
            if (other.end() < area.end())
                cut.append({other.end(), area.end() - other.end()});
        }
        left = std::move(cut);
    }
    std::sort(left.begin(), left.end(),
              [](const ByteArea &a, const ByteArea &b) { return a.at < b.at; });
    QList<ByteArea> joined;
    for (const ByteArea &area : left) {
        if (!joined.isEmpty() && area.at <= joined.last().end())
            joined.last().length = qMax(joined.last().end(), area.end()) - joined.last().at;
        else
            joined.append(area);
    }
    return joined;
}

} // namespace pelmora
