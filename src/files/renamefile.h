#pragma once

#include "result/result.h"

#include <QString>

namespace pelmora {

// Whether a text can be the name of a file in a folder: not empty, "." or "..", and without a
// path separator or a null character.
Status checkFileName(const QString &name);

// Renames the file at path to newName in its own folder. Never replaces a file: a name that is
// taken, or not a valid file name, leaves the file as it was. The file's own name is no change.
// Gives the file's new path.
Result<QString> renameInFolder(const QString &path, const QString &newName);

} // namespace pelmora
