#pragma once

#include <QString>

namespace pelmora {

// Where a sorted list puts a new name: after every name that compares less or equal, without
// regard to letter case. nameAt(i) gives the name of entry i of `count`. When the user has
// moved entries out of order the binary search still lands somewhere sensible.
template <typename NameAt> int sortedInsertIndex(int count, NameAt nameAt, const QString &name) {
    int low = 0;
    int high = count;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (QString::compare(nameAt(mid), name, Qt::CaseInsensitive) <= 0)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

} // namespace pelmora
