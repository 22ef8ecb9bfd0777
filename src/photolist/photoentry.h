#pragma once

#include <QString>

namespace pelmora {

// One photo of the list: the folder that holds it (ending with its separator, or empty) and
// its file name. The full path is the two joined as they are.
struct PhotoEntry {
    QString folder;
    QString name;

    QString path() const { return folder + name; }
    friend bool operator==(const PhotoEntry &, const PhotoEntry &) = default;
};

// Splits a path at its last separator: the folder keeps the separator, the name is the rest.
// A path without a separator is all name; a path ending with one is all folder.
PhotoEntry splitPath(const QString &path);

// A folder text as the joining rule wants it: ending with a separator (empty stays empty).
QString withTrailingSeparator(const QString &folder);

} // namespace pelmora
