#pragma once

#include "files/filecontent.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <variant>

namespace pelmora {

// The lines of a conversion's journal, as the transaction writes them and undo and pruning read
// them: one JSON object per line, the first a header with the format's version. Every step is a
// line written before it is taken (its intent, numbered) and, once taken, a line that names the
// intent by its number. Version 1 (before the versions) numbered nothing: a completion then
// belonged to the latest intent of its kind and photo, and is read so.
inline constexpr int kJournalVersion = 2;

namespace step {

// A folder the conversion makes.
struct Folder {
    QString path;
};
// A photo's steps begin: its place in the list and its path as listed.
struct Photo {
    qint64 photo = -1;
    QString path;
};
// A temporary file an output is written to before it takes its name.
struct Temporary {
    qint64 photo = -1;
    QString path;
};
// A file goes to a trash or becomes a hidden backup. belongsAt is where it comes back to: the
// path it had, or, for a file an exchange moved to a backup name, the name it held before.
struct SetAside {
    qint64 photo = -1;
    QString path;
    QString belongsAt;
    FileDigest digest;
    QString trash;  // the trash it goes to, or
    QString backup; // the backup it becomes
    QString kept;   // the path it takes there (its name in the trash, reserved first)
};
// An output takes the name of a file it replaces in one exchange: the output, renamed to a
// hidden backup name beside it, swaps places with the file, which is then that backup, and moves
// on to a trash where there is one (its name there reserved first).
struct Replace {
    qint64 photo = -1;
    QString path;   // the name both held in turn
    QString backup; // the backup name, beside it
    FileDigest original;
    FileDigest output;
    QString trash; // the trash the file goes on to, or none
    QString kept;  // ... and its path there
};
// An output takes its name, which was free.
struct Publish {
    qint64 photo = -1;
    QString path;
    FileDigest digest;
};
struct Rename {
    qint64 photo = -1;
    QString from;
    QString to;
    qint64 size = -1;
    qint64 modified = 0; // ms since the epoch
};
// A photo whose steps failed is put back as it was.
struct Rollback {
    qint64 photo = -1;
};
// A step was taken: intent names it. kept: where a file set aside went; converted: whether the
// photo of a Photo step was converted.
struct Done {
    qint64 intent = 0;
    QString kept;
    std::optional<bool> converted;
};

// What undo records of its own progress, so that an undo that was stopped or left something
// behind goes on where it was.
struct UndoStarted {};
// The photo's own output moves out of the way of its original, to go once the original is back.
struct UndoMoveAside {
    qint64 photo = -1;
    QString path;
    QString to;
};
struct UndoPhoto {
    qint64 photo = -1;
    bool back = false;
};
struct UndoFinished {
    bool complete = false;
};
// The user gave up finishing the undo: the next undo goes to the conversion before.
struct UndoGivenUp {};

} // namespace step

using Step =
    std::variant<step::Folder, step::Photo, step::Temporary, step::SetAside, step::Replace,
                 step::Publish, step::Rename, step::Rollback, step::Done, step::UndoStarted,
                 step::UndoMoveAside, step::UndoPhoto, step::UndoFinished, step::UndoGivenUp>;

struct JournalHeader {
    int version = kJournalVersion;
    QDateTime started;
    QString numberBefore; // the running number the conversion started from
};

// One line as it was written: an intent has its number (id), a completion has none (0).
struct JournalEntry {
    qint64 id = 0;
    Step step;
};

QJsonObject encodeHeader(const JournalHeader &header);
QJsonObject encodeEntry(const JournalEntry &entry);

std::optional<JournalHeader> decodeHeader(const QJsonObject &object);

// Reads the lines after the header, in order, for a journal of header.version. A line it does not
// understand is left out and counted.
class JournalDecoder {
public:
    explicit JournalDecoder(int version)
        : m_version(version) {}
    std::optional<JournalEntry> decode(const QJsonObject &object);

private:
    std::optional<JournalEntry> decodeVersion1(const QJsonObject &object);

    int m_version;
    qint64 m_line = 0;
    // Version 1: the latest intent of each kind and photo, which a completion belongs to.
    QHash<QString, qint64> m_latestIntent;
};

} // namespace pelmora
