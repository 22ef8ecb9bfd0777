#pragma once

#include "result/result.h"

#include <QString>

namespace pelmora {

// Moves a file that a conversion is about to replace or remove out of the way: into the
// desktop's trash (the freedesktop.org trash: the user's own, or the disk's .Trash-UID), where
// the file manager can restore it, or, on a disk without a usable trash, to a hidden backup
// beside it. Gives where the file went.
Result<QString> setAside(const QString &path);

// Whether a path is a backup that setAside made beside a file.
bool isBackup(const QString &path);

// Brings a file that setAside moved back to its place; never over another file.
Status bringBack(const QString &from, const QString &to);

} // namespace pelmora
