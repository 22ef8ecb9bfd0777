#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <optional>

namespace pelmora {

// Whether a finished file must be on the disk before it takes its name.
enum class Durability {
    FlushToDisk,   // it stands for the user's only copy of a photo (converted in place)
    LeaveToSystem, // a copy in an output folder: the original is safe where it was
};

enum class Publish {
    NewName,   // the name must be free: a taken name fails, whoever took it and when
    Replacing, // a file of that name is replaced at once (never half: the old or the new one)
};

// A new file, written under a short temporary name of its own in its destination's folder and
// given the destination's name only when complete, so that a crash never leaves a half-written
// file under that name. A file that is never published is removed. While it is written the
// temporary file is locked, so that a later conversion can tell a temporary file that a dead
// run left behind (see removeStaleTemporaryFiles) from one that another run is writing.
class PendingFile {
public:
    explicit PendingFile(QString destination);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // Creates the temporary file, with exactly the given permissions, or those of any new file.
    Status open(std::optional<QFileDevice::Permissions> permissions = {});
    Status write(const QByteArray &bytes);
    Status setModified(const QDateTime &time);
    Status publish(Publish how, Durability durability);

private:
    Status failed(const QString &what, int error);

    QString m_destination;
    QString m_temporary;
    int m_fd = -1;
};

// Removes the temporary files that conversions which died (killed, a power cut) left in folder;
// those another conversion is writing stay.
void removeStaleTemporaryFiles(const QString &folder);

// Gives a file a new path on the same disk, or fails when that path is taken: never replaces,
// even when another program takes the name at the same moment.
Status renameWithoutReplacing(const QString &from, const QString &to);

// Makes what was renamed or published in folder durable: the directory entries reach the disk.
Status flushFolder(const QString &folder);

} // namespace pelmora
