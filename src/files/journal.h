#pragma once

#include "files/journalrecord.h"
#include "result/result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace pelmora {

// How many conversions of one driver can be undone, the newest first. A conversion's journal,
// and the hidden backups it kept on a disk without a trash, go when it is older than that.
inline constexpr int kConversionsKept = 20;

// The folder of one driver's journals ("window", "command-line"), in the user's data folder:
// one file per conversion.
QString journalFolder(const QString &driver);

// How far a line is on its way to the disk when append returns.
enum class Durability {
    Written, // handed to the system: it survives a crash of the program
    OnDisk,  // on the disk (fdatasync), with every line before it: it survives a power cut
};

// A conversion's write-ahead record (see journalrecord.h for its lines): what each step is about
// to do, written before the step, and that it was done, after. The file is made at the first
// line, so a conversion that takes no step leaves none; it stays locked while the conversion (or
// an undo of it) runs, so that nothing else touches a conversion in progress.
class JournalWriter {
public:
    // A journal to be made in folder, starting with header.
    JournalWriter(QString folder, JournalHeader header);
    // The existing journal at path, to continue; fails while its conversion or an undo of it runs.
    static Result<JournalWriter> resume(const QString &path);
    ~JournalWriter();
    JournalWriter(JournalWriter &&other) noexcept;
    JournalWriter &operator=(JournalWriter &&) = delete;
    JournalWriter(const JournalWriter &) = delete;

    // Records the intent of a step and gives its number, which its completion names.
    Result<qint64> intend(const Step &step, Durability durability = Durability::Written);
    // Records the completion of the step numbered intent, or an undo's line.
    Status append(const Step &step, Durability durability = Durability::Written);
    // Makes every line written so far reach the disk.
    Status flush();
    bool isMade() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    // Removes the journal (its conversion is undone, nothing is left to prove).
    void remove();

private:
    JournalWriter() = default;
    Status make();
    Status write(const QJsonObject &line, Durability durability);

    QString m_folder;
    JournalHeader m_header;
    QString m_path;
    int m_fd = -1;
    qint64 m_lastId = 0;
};

// A journal as it was read back.
struct Journal {
    QString path;
    JournalHeader header;
    QList<JournalEntry> entries; // every line after the header that could be read, in order
    int unreadable = 0;          // lines that could not be read
};
// Fails when the file cannot be read or its first line is not a journal's header of a version
// this program reads.
Result<Journal> readJournal(const QString &path);

// The journals in folder, the newest conversion first; none when the folder does not exist yet.
// Fails when the folder cannot be read.
Result<QStringList> journalsNewestFirst(const QString &folder);

// Whether the conversion, or an undo, that wrote the journal at path still runs.
bool isJournalInUse(const QString &path);

} // namespace pelmora
