#pragma once

#include "result/result.h"

#include <QJsonObject>
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

// A conversion's write-ahead record, one JSON object per line: what each step is about to do,
// written before the step, and that it was done, after. The file is made at the first line, so a
// conversion that takes no step leaves none; it stays locked while the conversion (or an undo of
// it) runs, so that nothing else touches a conversion in progress.
class JournalWriter {
public:
    // A journal to be made in folder, starting with header; older journals beyond
    // kConversionsKept go when it is made.
    JournalWriter(QString folder, QJsonObject header);
    // The existing journal at path, to continue; fails while its conversion or an undo of it runs.
    static Result<JournalWriter> resume(const QString &path);
    ~JournalWriter();
    JournalWriter(JournalWriter &&other) noexcept;
    JournalWriter &operator=(JournalWriter &&) = delete;
    JournalWriter(const JournalWriter &) = delete;

    // Appends one line (one write, so a crash never leaves half of an earlier line).
    Status append(const QJsonObject &record);
    bool isMade() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    // Removes the journal (its conversion is undone, nothing is left to prove).
    void remove();

private:
    JournalWriter() = default;
    Status make();

    QString m_folder;
    QJsonObject m_header;
    QString m_path;
    int m_fd = -1;
};

// A journal as it was read back.
struct Journal {
    QString path;
    QJsonObject header;
    QList<QJsonObject> records; // every line after the header that could be read
    int unreadable = 0;         // lines that could not be read
};
Result<Journal> readJournal(const QString &path);

// The journals in folder, the newest conversion first; none when the folder does not exist yet.
// Fails when the folder cannot be read.
Result<QStringList> journalsNewestFirst(const QString &folder);

// Whether the conversion, or an undo, that wrote the journal at path still runs.
bool isJournalInUse(const QString &path);

} // namespace pelmora
