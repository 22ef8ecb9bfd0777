#pragma once

#include "result/result.h"

#include <QDateTime>
#include <QList>
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

// A free hidden name beside the file at path (".pelmora-XXXXXXXX.bak"), for a backup of it.
QString backupBeside(const QString &path);

// The places for the file at path, the best first: the user's trash where it is on the file's
// mount, else the trash at the top of that mount (made when missing), and last a backup beside it.
QList<SetAsidePlace> placesToSetAside(const QString &path);

// Moves the file (a symbolic link stays a link) to its place, never over another file, and gives
// where it is now. A trash entry records where the file belongs (belongsAt, or its own path when
// empty) and when it was moved, as every trash client reads it. The entry is on the disk before
// the file moves, and the move is once this returns.
struct MovedAside {
    QString kept;       // where the file is now
    QString notFlushed; // why the move may not have reached the disk yet; empty when it has
};
Result<MovedAside> moveAside(const QString &path, const SetAsidePlace &place,
                             const QString &belongsAt = {});

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
