#pragma once

#include <QString>

namespace pelmora {

// Why a text cannot be the name of a file in a folder (empty, "." or "..", holds a path
// separator or a null character); empty when it can.
QString invalidFileNameReason(const QString &name);

struct RenameResult {
    bool ok = false;
    QString path;  // the file's path afterwards: the new one, or the old one on failure
    QString error; // why the file keeps its name; empty when ok
};

// Renames the file at path to newName in its own folder. Never replaces a file: a name that is
// taken, or not a valid file name, leaves the file as it was. The file's own name is no change.
RenameResult renameInFolder(const QString &path, const QString &newName);

} // namespace pelmora
