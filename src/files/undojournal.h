#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <memory>

namespace pelmora {

// The record of the last conversion, kept so that it can be undone: which photo took which new
// name, which output was written (and what it holds), which file was set aside (and where it
// went), and the running number before. It is a small file of one line per step, each written
// before its step (where a file was set aside, right after: only the trash tells where), so that
// an undo still works after a crash or a restart. Photos may be recorded from several threads.
class UndoJournal {
public:
    // Starts the journal of a new conversion at path, in place of the last one (which can no
    // longer be undone: its hidden backups go, unless that conversion is still running).
    static Result<std::unique_ptr<UndoJournal>> start(const QString &path,
                                                      const QString &numberBefore);
    ~UndoJournal();
    UndoJournal(const UndoJournal &) = delete;
    UndoJournal &operator=(const UndoJournal &) = delete;

    // Before a photo takes a new name; the photo as it is now (size, time) tells later whether
    // it was changed since.
    Status renaming(const QString &from, const QString &to);
    // Before an output is published under its name: its size and the hash of its content.
    Status writing(const QString &output, qint64 size, const QByteArray &hash);
    // After a file the conversion replaces or removes was set aside.
    Status setAside(const QString &path, const QString &to);

    // The hash a journal keeps of a file's content.
    static QByteArray hashOf(const QByteArray &content);

private:
    explicit UndoJournal(int fd);
    Status append(const QByteArray &line);

    QMutex m_mutex;
    int m_fd;
};

// What undoing the last conversion did, or would do: one line per step.
struct UndoReport {
    QStringList done;    // one line per step undone ("removed", "renamed back", "restored")
    QStringList refused; // one line per step left alone, and why
    QString numberBefore;
};

// Undoes the conversion recorded at journalPath, step by step from the last: removes the outputs
// it wrote, gives renamed photos their names back and brings set-aside files back from the trash.
// A file changed since (its size, time or content differ) is left alone and reported. With
// dryRun nothing is changed. The journal goes afterwards: a second undo finds nothing.
Result<UndoReport> undoLastConversion(const QString &journalPath, bool dryRun = false);

// Whether there is a conversion to undo at journalPath.
bool hasUndo(const QString &journalPath);

// Where the undo journal of the last conversion a driver ran ("window", "command-line") is kept:
// in the user's data folder for this program.
QString undoJournalPath(const QString &driver);

} // namespace pelmora
