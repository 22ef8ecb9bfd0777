#include "undo.h"

#include "files/conversionsteps.h"
#include "files/filecontent.h"
#include "files/journal.h"
#include "files/pendingfile.h"
#include "files/trash.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace pelmora {

namespace {

bool holds(const QString &path, const FileDigest &digest) {
    const Result<FileDigest> now = digestOfFile(path);
    return now && *now == digest;
}

class ConversionUndo {
public:
    ConversionUndo(const ConversionSteps &conversion, JournalWriter *journal, UndoReport &report)
        : m_conversion(conversion)
        , m_journal(journal)
        , m_report(report) {}

    void undoPhoto(qint64 index, const PhotoSteps &photo) {
        if (photo.undone.value_or(false)) { // by an undo that was stopped after it
            m_report.photosBack.prepend(photo.photo);
            return;
        }
        m_acted = false;
        m_restored.clear();
        m_movedAside = photo.movedAside;
        const qsizetype refusedBefore = m_report.refused.size();
        bool back = restoreSetAside(index, photo);
        if (back) {
            removeOutputs(photo);
            back = renameBack(photo);
        }
        removeTemporaries(photo);
        const bool counted =
            back && !photo.photo.isEmpty() && (photo.converted.value_or(false) || m_acted);
        if (counted)
            m_report.photosBack.prepend(photo.photo);
        // Back, and nothing of it left in the way (an output changed since stays the user's to
        // move): the next undo, if any, counts it as back and leaves it.
        record(step::UndoPhoto{index, counted && m_report.refused.size() == refusedBefore});
    }

    void removeEmptyFolders() {
        for (auto folder = m_conversion.folders.crbegin(); folder != m_conversion.folders.crend();
             ++folder) {
            const QDir dir(*folder);
            if (!dir.exists() ||
                !dir.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
                continue;
            if (m_journal && !QDir().rmdir(*folder))
                continue;
            m_report.done.append(
                QCoreApplication::translate("pelmora", "remove the empty folder %1").arg(*folder));
        }
    }

private:
    bool dryRun() const { return m_journal == nullptr; }

    void record(const Step &step) {
        if (m_journal) // the disk tells the rest, should the line not be written
            static_cast<void>(m_journal->append(step));
    }

    // Where a file that was set aside is now, proven by what it holds; empty when it is nowhere.
    QString findKept(const SetAsideStep &step) const {
        QStringList candidates;
        if (!step.kept.isEmpty())
            candidates.append(step.kept);
        if (!step.backup.isEmpty())
            candidates.append(step.backup);
        const auto proven = [&step](const QString &c) {
            return isSetAsidePlace(c, step.path) && holds(c, step.digest);
        };
        for (const QString &c : std::as_const(candidates)) {
            if (proven(c))
                return c;
        }
        if (step.trash.isEmpty())
            return {};
        // Moved, but not recorded as done: the trash's own record finds it.
        const QDateTime since = m_conversion.started.isValid() ? m_conversion.started
                                                               : QDateTime::fromSecsSinceEpoch(0);
        for (const QString &c : trashedFrom(step.trash, step.path, since)) {
            if (proven(c))
                return c;
        }
        return {};
    }

    const WrittenStep *publishAt(const PhotoSteps &photo, const QString &path) const {
        for (const WrittenStep &p : photo.publishes) {
            if (p.path == path)
                return &p;
        }
        return nullptr;
    }

    QString outputsOf(const PhotoSteps &photo) const {
        QStringList paths;
        for (const WrittenStep &p : photo.publishes)
            paths.append(p.path);
        return paths.join(QStringLiteral(", "));
    }

    // What the photo's conversion set aside comes back, the last first. False when something
    // cannot: its outputs then stay.
    bool restoreSetAside(qint64 index, const PhotoSteps &photo) {
        for (auto step = photo.setAsides.crbegin(); step != photo.setAsides.crend(); ++step) {
            if (holds(step->path, step->digest)) {
                m_restored.insert(step->path); // never moved, or back already
                continue;
            }
            const QString kept = findKept(*step);
            if (kept.isEmpty()) {
                const QString where = !step->kept.isEmpty()     ? step->kept
                                      : !step->backup.isEmpty() ? step->backup
                                                                : step->trash;
                m_report.refused.append(
                    QCoreApplication::translate(
                        "pelmora",
                        "%1 cannot come back: what was set aside is no longer in %2; %3 stays")
                        .arg(step->path, where, outputsOf(photo)));
                return false;
            }
            if (isOnDisk(step->path) && !moveOwnOutputAside(index, photo, step->path, kept))
                return false;
            if (!dryRun()) {
                if (Status back = bringBack(kept, step->path); !back) {
                    putOwnOutputBack(step->path);
                    m_report.refused.append(
                        QCoreApplication::translate("pelmora", "%1 cannot come back from %2: %3")
                            .arg(step->path, kept, back.reason()));
                    return false;
                }
            }
            m_report.done.append(QCoreApplication::translate("pelmora", "bring back %1 from %2")
                                     .arg(step->path, kept));
            m_restored.insert(step->path);
            m_acted = true;
        }
        return true;
    }

    // The photo's own output holds the name its original comes back to: it moves out of the way
    // (recorded), to go once the original is back.
    bool moveOwnOutputAside(qint64 index, const PhotoSteps &photo, const QString &path,
                            const QString &kept) {
        const WrittenStep *output = publishAt(photo, path);
        if (!output || !holds(path, output->digest)) {
            m_report.refused.append(
                QCoreApplication::translate(
                    "pelmora", "%1 was changed since; the file it replaced is kept in %2")
                    .arg(path, kept));
            return false;
        }
        if (dryRun()) { // it would go from where it is
            m_movedAside.insert(path, path);
            return true;
        }
        const QString aside = temporaryNameFor(path);
        record(step::UndoMoveAside{index, path, aside});
        if (Status moved = renameWithoutReplacing(path, aside); !moved) {
            m_report.refused.append(moved.reason());
            return false;
        }
        m_movedAside.insert(path, aside);
        return true;
    }

    void putOwnOutputBack(const QString &path) {
        if (dryRun() || !m_movedAside.contains(path))
            return;
        const QString aside = m_movedAside.take(path);
        if (Status back = renameWithoutReplacing(aside, path); !back)
            m_report.refused.append(
                QCoreApplication::translate("pelmora", "the converted %1 is now %2: %3")
                    .arg(path, aside, back.reason()));
    }

    // Its outputs go while they hold what was written.
    void removeOutputs(const PhotoSteps &photo) {
        for (auto step = photo.publishes.crbegin(); step != photo.publishes.crend(); ++step) {
            QString path = step->path;
            if (m_movedAside.contains(step->path))
                path = m_movedAside.value(step->path);
            else if (m_restored.contains(step->path))
                continue; // the original is under that name now
            if (!isOnDisk(path))
                continue; // never published, or gone already
            if (!holds(path, step->digest)) {
                m_report.refused.append(
                    QCoreApplication::translate("pelmora", "%1 was changed since; left as it is")
                        .arg(step->path));
                continue;
            }
            if (!dryRun() && !QFile::remove(path)) {
                m_report.refused.append(
                    QCoreApplication::translate("pelmora", "cannot remove %1").arg(path));
                continue;
            }
            m_report.done.append(
                QCoreApplication::translate("pelmora", "remove the converted %1").arg(step->path));
            m_acted = true;
        }
    }

    // What a conversion that was killed left half written.
    void removeTemporaries(const PhotoSteps &photo) {
        for (const QString &temporary : photo.temporaries) {
            if (!isTemporaryName(temporary) || !isOnDisk(temporary))
                continue;
            if (!dryRun() && !removeStaleTemporaryFile(temporary))
                continue; // another conversion writes it
            m_report.done.append(
                QCoreApplication::translate("pelmora", "remove the temporary file %1")
                    .arg(temporary));
        }
        // An output that died on its way to its name, under a backup name.
        for (const WrittenStep &stray : photo.strayOutputs) {
            if (!isBackup(stray.path) || !holds(stray.path, stray.digest))
                continue;
            if (!dryRun() && !QFile::remove(stray.path))
                continue;
            m_report.done.append(
                QCoreApplication::translate("pelmora", "remove the temporary file %1")
                    .arg(stray.path));
        }
    }

    // Renamed photos get their names back, unless changed since.
    bool renameBack(const PhotoSteps &photo) {
        bool back = true;
        for (auto step = photo.renames.crbegin(); step != photo.renames.crend(); ++step) {
            const QFileInfo renamed(step->to);
            if (!isOnDisk(step->to)) {
                if (!isOnDisk(step->from)) {
                    m_report.refused.append(
                        QCoreApplication::translate("pelmora", "%1 is not there any more")
                            .arg(step->to));
                    back = false;
                }
                continue; // not renamed after all, or back already
            }
            if (renamed.size() != step->size ||
                renamed.lastModified().toMSecsSinceEpoch() != step->modified) {
                m_report.refused.append(
                    QCoreApplication::translate("pelmora", "%1 was changed since; left as it is")
                        .arg(step->to));
                back = false;
                continue;
            }
            if (!dryRun()) {
                if (Status moved = renameWithoutReplacing(step->to, step->from); !moved) {
                    m_report.refused.append(moved.reason());
                    back = false;
                    continue;
                }
            }
            m_report.done.append(QCoreApplication::translate("pelmora", "rename %1 back to %2")
                                     .arg(step->to, QFileInfo(step->from).fileName()));
            m_acted = true;
        }
        return back;
    }

    const ConversionSteps &m_conversion;
    JournalWriter *m_journal; // none in a dry run
    UndoReport &m_report;
    bool m_acted = false;
    QSet<QString> m_restored;
    QHash<QString, QString> m_movedAside;
};

using JournalAndConversion = std::optional<std::pair<Journal, ConversionSteps>>;

// The newest journal in the folder whose conversion is not undone yet, read; none when every
// conversion is undone or given up.
Result<JournalAndConversion> newestToUndo(const QString &journalFolder) {
    const Result<QStringList> journals = journalsNewestFirst(journalFolder);
    if (!journals)
        return failure(journals.reason());
    for (const QString &path : *journals) {
        Result<Journal> journal = readJournal(path);
        if (!journal)
            return failure(journal.reason());
        if (journal->entries.isEmpty() && journal->unreadable == 0)
            continue; // its conversion died as it made it, before its first step
        ConversionSteps conversion = readConversionSteps(*journal);
        if (!conversion.givenUp)
            return JournalAndConversion(
                std::make_pair(std::move(journal).value(), std::move(conversion)));
    }
    return JournalAndConversion();
}

} // namespace

Result<UndoReport> undoNewestConversion(const QString &journalFolder, bool dryRun) {
    UndoReport report;
    const Result<JournalAndConversion> newest = newestToUndo(journalFolder);
    if (!newest)
        return failure(newest.reason());
    if (!*newest)
        return report;
    const auto &[journal, conversion] = **newest;
    report.found = true;
    report.conversion = journal.path;
    report.retried = conversion.undoneBefore;
    report.numberBefore = conversion.numberBefore;
    report.unreadable = conversion.unreadable;

    std::optional<JournalWriter> writer;
    if (!dryRun) {
        Result<JournalWriter> resumed = JournalWriter::resume(journal.path);
        if (!resumed)
            return failure(resumed.reason());
        writer.emplace(std::move(resumed).value());
    } else if (isJournalInUse(journal.path)) {
        return failure(QCoreApplication::translate(
            "pelmora", "the conversion is still running, or being undone; try again once it "
                       "has finished"));
    }
    JournalWriter *record = writer ? &*writer : nullptr;
    if (record)
        static_cast<void>(record->append(step::UndoStarted{}));

    ConversionUndo undo(conversion, record, report);
    for (auto photo = conversion.photos.crbegin(); photo != conversion.photos.crend(); ++photo)
        undo.undoPhoto(photo->first, photo->second);
    undo.removeEmptyFolders();

    if (record) {
        static_cast<void>(record->append(step::UndoFinished{report.complete()}));
        if (report.complete())
            record->remove(); // nothing is left to prove
    }
    return report;
}

Result<bool> hasConversionToUndo(const QString &journalFolder) {
    const Result<JournalAndConversion> newest = newestToUndo(journalFolder);
    if (!newest)
        return failure(newest.reason());
    return newest->has_value();
}

Status giveUpNewestConversion(const QString &journalFolder) {
    const Result<JournalAndConversion> newest = newestToUndo(journalFolder);
    if (!newest)
        return failure(newest.reason());
    if (!*newest || !(*newest)->second.undoneBefore)
        return failure(
            QCoreApplication::translate("pelmora", "there is no unfinished undo to give up"));
    Result<JournalWriter> journal = JournalWriter::resume((*newest)->first.path);
    if (!journal)
        return failure(journal.reason());
    return journal->append(step::UndoGivenUp{}, Durability::OnDisk);
}

void forgetOldConversions(const QString &journalFolder, int keep) {
    const Result<QStringList> found = journalsNewestFirst(journalFolder);
    if (!found)
        return; // the next conversion tries again
    const QStringList &journals = *found;
    for (qsizetype i = keep; i < journals.size(); ++i) {
        Result<JournalWriter> old = JournalWriter::resume(journals[i]);
        if (!old)
            continue; // still running
        const Result<Journal> journal = readJournal(journals[i]);
        if (journal) {
            // Its backups go while they hold what they were made of: an original kept beside its
            // output, or an output that never took its name.
            for (const auto &[index, photo] : readConversionSteps(*journal).photos) {
                for (const SetAsideStep &step : photo.setAsides) {
                    if (isBackup(step.backup) && holds(step.backup, step.digest))
                        QFile::remove(step.backup);
                }
                for (const WrittenStep &stray : photo.strayOutputs) {
                    if (isBackup(stray.path) && holds(stray.path, stray.digest))
                        QFile::remove(stray.path);
                }
            }
        }
        old->remove();
    }
}

} // namespace pelmora
