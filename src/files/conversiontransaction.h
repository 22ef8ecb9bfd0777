#pragma once

#include "files/journal.h"
#include "files/photoplan.h"
#include "photolist/photoentry.h"
#include "result/result.h"
#include "result/warning.h"

#include <QByteArray>
#include <QSet>
#include <QString>

namespace pelmora {

// The one owner of the disk during a conversion: every file step of every photo goes through it,
// on one thread, in list order. For each photo it plans, writes the output under a temporary
// name, sets aside what the output replaces, publishes the output under its name without ever
// writing over another file, flushes what stands for the user's only copy, and sets the photo
// aside when the output takes its place; each step is recorded in the conversion's journal
// before it is taken and marked done after. A photo's steps either all take effect or are rolled
// back, and a rollback that fails says where the files are.
class ConversionTransaction {
public:
    // journalFolder: where this driver keeps its journals (see journalFolder); numberBefore: the
    // running number the conversion starts from, which undo gives back.
    ConversionTransaction(const QString &journalFolder, const QString &numberBefore);

    // Plans photo under name as the disk will be when its turn comes: after the photos before it.
    Result<PhotoPlan> plan(const PhotoEntry &photo, const QString &name,
                           const PlanSettings &settings) const;

    // Makes the output folder, and the missing folders on its way, each recorded so that undo can
    // take away those it leaves empty; and once per folder, takes away what dead conversions left
    // there.
    Status makeFolder(const QString &folder);

    // Carries out the plan of photo number index (its place in the list). picture holds the new
    // picture's bytes when the plan writes one. Gives the warnings of a photo converted all the
    // same (its output published but not flushed to the disk), or why it was not converted, with
    // the disk as it was.
    Result<Warnings> carryOut(qsizetype index, const PhotoPlan &plan, const QByteArray &picture);

    // The conversion's journal; empty while it has taken no step.
    QString journalPath() const { return m_journal.isMade() ? m_journal.path() : QString(); }

private:
    Status record(const QJsonObject &step);
    void recordDone(const QJsonObject &step);
    Status startPhoto(qsizetype index, const PhotoPlan &plan);
    Result<QString> setAside(qsizetype index, const QString &path);
    Result<Warnings> rename(qsizetype index, const PhotoPlan &plan);
    Result<Warnings> write(qsizetype index, const PhotoPlan &plan, const QByteArray &picture);

    JournalWriter m_journal;
    ConversionChanges m_changes;
    QSet<QString> m_readyFolders; // output folders made (when missing) and swept of dead files
};

} // namespace pelmora
