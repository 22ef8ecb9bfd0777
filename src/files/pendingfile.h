#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <optional>

namespace pelmora {

// A name for a new file while it is written: short, hidden, in the folder of destination.
QString temporaryNameFor(const QString &destination);
// Whether a path is such a name.
bool isTemporaryName(const QString &path);

// A new file, written under a temporary name in its destination's folder and given the
// destination's name only when complete and only if that name is free, so that a crash never
// leaves a half-written file under a name and nothing is ever written over. A file that is never
// published is removed. While it is written the temporary file is locked, so that a later
// conversion can tell a temporary file that a dead run left behind (see
// removeStaleTemporaryFiles) from one that another run is writing.
class PendingFile {
public:
    explicit PendingFile(QString destination);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // Creates the file at temporary (see temporaryNameFor), which must be free, with exactly the
    // given permissions, or those of any new file.
    Status open(const QString &temporary, std::optional<QFileDevice::Permissions> permissions = {});
    Status write(const QByteArray &bytes);
    Status setModified(const QDateTime &time);
    // Makes the content reach the disk.
    Status flush();
    // Gives the file the destination's name, failing when the name is taken.
    Status publish();

    // The file, complete, goes under another free name in the same folder (a name that
    // removeStaleTemporaryFiles leaves alone), still to be published or exchanged.
    Status moveTo(const QString &path);
    // Gives the file the destination's name and, in the same instant, the file that held it the
    // file's present name: at no moment is the destination's name without one of the two. False
    // when the file system cannot swap two names: both are then as they were.
    Result<bool> exchange();

private:
    Status failed(const QString &what, int error);

    QString m_destination;
    QString m_temporary;
    int m_fd = -1;
};

// Removes the temporary files that conversions which died (killed, a power cut) left in folder;
// those another conversion is writing stay.
void removeStaleTemporaryFiles(const QString &folder);
// The same for one temporary file; true when it is gone (or never was).
bool removeStaleTemporaryFile(const QString &path);

// Gives a file a new path on the same disk, or fails when that path is taken: never replaces,
// even when another program takes the name at the same moment.
Status renameWithoutReplacing(const QString &from, const QString &to);

// Makes what was renamed or published in folder durable: the directory entries reach the disk.
Status flushFolder(const QString &folder);

} // namespace pelmora
