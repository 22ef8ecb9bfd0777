#pragma once

#include "files/filecontent.h"
#include "files/journal.h"
#include "files/photoplan.h"
#include "files/trash.h"
#include "photolist/photoentry.h"
#include "result/result.h"
#include "result/warning.h"

#include <QByteArray>
#include <QSet>
#include <QString>

namespace pelmora {

class PendingFile;

// The one owner of the disk during a conversion: every file step of every photo goes through it,
// on one thread, in list order. For each photo it plans, writes the output under a temporary
// name, publishes it under its name without ever writing over another file, and sets aside what
// the output replaces or the photo it stands for. Each step is recorded in the conversion's
// journal before it is taken and marked done after; the record of a step that gives up a name is
// on the disk before the name goes, and so is the file that takes its place. An output that
// replaces a file takes its name in one exchange, so that the name always holds one of the two. A
// photo's steps either all take effect or are rolled back, recorded, and a rollback that fails
// says where the files are.
class ConversionTransaction {
public:
    // journalFolder: where this driver keeps its journals (see journalFolder); numberBefore: the
    // running number the conversion starts from, which undo gives back.
    ConversionTransaction(const QString &journalFolder, const QString &numberBefore);
    ~ConversionTransaction();
    ConversionTransaction(const ConversionTransaction &) = delete;
    ConversionTransaction &operator=(const ConversionTransaction &) = delete;

    // Plans photo under name as the disk will be when its turn comes: after the photos before it.
    Result<PhotoPlan> plan(const PhotoEntry &photo, const QString &name,
                           const PlanSettings &settings) const;

    // Makes the output folder, and the missing folders on its way, each recorded so that undo can
    // take away those it leaves empty; and once per folder, takes away what dead conversions left
    // there.
    Status makeFolder(const QString &folder);

    // Carries out the plan of photo number index (its place in the list). picture holds the new
    // picture's bytes when the plan writes one. Gives the warnings of a photo converted all the
    // same (a step that may not have reached the disk), or why it was not converted, with the
    // disk as it was.
    Result<Warnings> carryOut(qsizetype index, const PhotoPlan &plan, const QByteArray &picture);

    // Ends the conversion: its journal reaches the disk, and the conversions of the driver beyond
    // kConversionsKept are forgotten.
    void finish();

    // The conversion's journal; empty while it has taken no step.
    QString journalPath() const { return m_journal.isMade() ? m_journal.path() : QString(); }

private:
    // What a photo's steps changed so far, for its rollback.
    struct Taken {
        QString keptAside; // where a file set aside went
        QString belongsAt; // ... and where it comes back to
        QString published; // an output that took a free name
        FileDigest output; // ... holding this
    };

    Result<qint64> intend(const Step &step, Durability durability = Durability::Written);
    void recordDone(qint64 intent, const QString &kept = {}, std::optional<bool> converted = {});

    Result<Warnings> rename(qsizetype index, const PhotoPlan &plan);
    Result<Warnings> write(qsizetype index, const PhotoPlan &plan, const QByteArray &picture);
    Result<FileDigest> writeOutput(qsizetype index, const PhotoPlan &plan,
                                   const QByteArray &picture, PendingFile &out);
    Result<Warnings> replace(qsizetype index, const QString &path, PendingFile &out,
                             const FileDigest &output, Taken &taken);
    Status publish(qsizetype index, const QString &path, PendingFile &out, const FileDigest &output,
                   Taken &taken);
    SetAsidePlace reserveTrash(const QString &path);
    Result<QString> setAside(qsizetype index, const QString &path, const QString &belongsAt,
                             const FileDigest &digest);
    // Puts back what a photo's failed steps changed; gives why the photo failed, with where the
    // files are when they cannot be put back.
    Failure rollBack(qsizetype index, const Taken &taken, const QString &why);

    JournalWriter m_journal;
    ConversionChanges m_changes;
    QSet<QString> m_readyFolders; // output folders made (when missing) and swept of dead files
    bool m_finished = false;
};

} // namespace pelmora
