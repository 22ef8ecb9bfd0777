#pragma once

#include "result/result.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace pelmora {

// Where a file that a conversion replaces or removes goes: into the freedesktop.org trash of its
// disk (the user's own, "$XDG_DATA_HOME/Trash", or the disk's "$topdir/.Trash/UID" or
// "$topdir/.Trash-UID"), where a file manager can restore it, or, on a disk without a usable
// trash, to a hidden backup beside it (".pelmora-XXXXXXXX.bak").
struct SetAsidePlace {
    QString trash;  // the trash folder, holding files/ and info/; empty for a backup
    QString backup; // the backup's path, chosen free, when there is no trash
};

// Finds the place for the file at path, making the user's trash or the disk's .Trash-UID when
// it is missing.
SetAsidePlace placeToSetAside(const QString &path);

// Moves the file (a symbolic link stays a link) to its place, never over another file, and gives
// where it is now. A trash entry records where the file came from and when, as every trash
// client reads it.
Result<QString> moveAside(const QString &path, const SetAsidePlace &place);

// Whether kept is where a file set aside from original may be found: directly in the files/ of
// one of this user's trash folders, or a backup beside original.
bool isSetAsidePlace(const QString &kept, const QString &original);

// The files of a trash whose record says they came from original and were moved there at since
// or later.
QStringList trashedFrom(const QString &trash, const QString &original, const QDateTime &since);

// Whether path is a backup that moveAside made.
bool isBackup(const QString &path);

// Brings a set-aside file back to its place, never over another file; a trash forgets it.
Status bringBack(const QString &kept, const QString &to);

} // namespace pelmora
