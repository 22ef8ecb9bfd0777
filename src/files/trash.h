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
    QString trash; // the trash folder, holding files/ and info/; empty for a backup
    QString kept;  // the path the file takes there; for a trash, once its name is reserved
};

// A free hidden name beside the file at path (".pelmora-XXXXXXXX.bak"), for a backup of it.
QString backupBeside(const QString &path);

// The places for the file at path, the best first: the user's trash where it is on the file's
// mount, else the trash at the top of that mount (made when missing), and last a backup beside it.
QList<SetAsidePlace> placesToSetAside(const QString &path);

// Takes a name in the place for a file that belongs at belongsAt. In a trash that is its record
// (where it belongs and when it went, as every trash client reads it), made before the file goes
// there; a backup's name is free already.
Result<SetAsidePlace> reservePlace(const SetAsidePlace &place, const QString &belongsAt);
// Moves the file (a symbolic link stays a link) to its reserved place, never over another file.
Status moveAside(const QString &path, const SetAsidePlace &place);
// Gives back a reserved place that no file took: a trash forgets its record.
void releasePlace(const SetAsidePlace &place);

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
