#pragma once

#include "result/result.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <optional>

namespace pelmora {

// Whether a finished file must be on the disk before it replaces the old one.
enum class Durability {
    FlushToDisk,   // the file holds the user's only copy of a photo (converted in place)
    LeaveToSystem, // a copy in an output folder: the original is safe where it was
};

// A file written beside its destination and renamed over it only when complete, so that the
// destination always holds either its old content or the whole new one, even if the program
// dies half way. Until commit() the destination is untouched; a file that is never committed
// is removed.
class ReplacingFile {
public:
    explicit ReplacingFile(QString destination);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Creates the temporary file, with the given permissions or else those the destination has
    // (the usual ones for a new file).
    Status open(std::optional<QFileDevice::Permissions> permissions = {});
    QFile *device() { return &m_file; }

    // Puts the written content in place of the destination, with, when given, this
    // modification time.
    Status commit(Durability durability, const QDateTime &modified = {});

private:
    QString m_destination;
    QFile m_file;
    bool m_committed = false;
};

} // namespace pelmora
