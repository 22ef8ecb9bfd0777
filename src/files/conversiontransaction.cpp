#include "conversiontransaction.h"

#include "files/filecontent.h"
#include "files/pendingfile.h"
#include "files/trash.h"
#include "files/undo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pelmora {

namespace {

QString folderOf(const QString &path) {
    return QFileInfo(path).absolutePath();
}

// Writes a copy of the file at source and gives the digest of what it wrote.
Result<FileDigest> copyInto(PendingFile &out, const QString &source) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return photoNotRead(in);
    Digester digester;
    constexpr qint64 chunkSize = 1 << 20;
    for (;;) {
        const QByteArray chunk = in.read(chunkSize);
        if (chunk.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd())
                return photoNotRead(in);
            break;
        }
        if (Status written = out.write(chunk); !written)
            return failure(written.reason());
        digester.add(chunk.constData(), chunk.size());
    }
    if (Status dated = out.setModified(QFileInfo(source).lastModified()); !dated)
        return failure(dated.reason());
    return digester.digest();
}

QString notOnDisk() {
    return QCoreApplication::translate("pelmora",
                                       "the converted photo may not have reached the disk");
}

} // namespace

ConversionTransaction::ConversionTransaction(const QString &journalFolder,
                                             const QString &numberBefore)
    : m_journal(journalFolder,
                JournalHeader{kJournalVersion, QDateTime::currentDateTimeUtc(), numberBefore}) {}

ConversionTransaction::~ConversionTransaction() {
    finish();
}

Result<PhotoPlan> ConversionTransaction::plan(const PhotoEntry &photo, const QString &name,
                                              const PlanSettings &settings) const {
    return planPhoto(photo, name, settings, m_changes);
}

Result<qint64> ConversionTransaction::intend(const Step &step, Durability durability) {
    return m_journal.intend(step, durability);
}

// Undo finds what a step did by looking at the disk (an output by its digest, a file set aside by
// its trash record or backup name), so a step stands even where its end cannot be recorded; a
// journal that cannot be written fails the next step before it is taken.
void ConversionTransaction::recordDone(qint64 intent, const QString &kept,
                                       std::optional<bool> converted) {
    static_cast<void>(m_journal.append(step::Done{intent, kept, converted}));
}

Status ConversionTransaction::makeFolder(const QString &given) {
    const QString folder = QDir::cleanPath(given);
    if (m_readyFolders.contains(folder))
        return {};
    QStringList missing;
    for (QString f = folder; !QFileInfo(f).isDir() && f.size() > 1; f = folderOf(f))
        missing.prepend(f);
    for (const QString &f : std::as_const(missing)) {
        const Result<qint64> intent = intend(step::Folder{f});
        if (!intent)
            return failure(intent.reason());
        if (!QDir().mkdir(f) && !QFileInfo(f).isDir())
            return failure(
                QCoreApplication::translate("pelmora", "cannot create the output folder %1")
                    .arg(f));
        recordDone(*intent);
    }
    removeStaleTemporaryFiles(folder);
    m_readyFolders.insert(folder);
    return {};
}

Result<Warnings> ConversionTransaction::carryOut(qsizetype index, const PhotoPlan &plan,
                                                 const QByteArray &picture) {
    if (plan.action == PhotoAction::Keep)
        return Warnings();
    const Result<qint64> started = intend(step::Photo{index, plan.photo});
    if (!started)
        return failure(started.reason());
    const Result<Warnings> done =
        plan.action == PhotoAction::Rename ? rename(index, plan) : write(index, plan, picture);
    recordDone(*started, {}, done.ok());
    if (done)
        m_changes.add(plan);
    return done;
}

void ConversionTransaction::finish() {
    if (m_finished || !m_journal.isMade())
        return;
    m_finished = true;
    static_cast<void>(m_journal.flush()); // each step that gave up a name was flushed before it
    forgetOldConversions(QFileInfo(m_journal.path()).absolutePath(), kConversionsKept);
}

Result<Warnings> ConversionTransaction::rename(qsizetype index, const PhotoPlan &plan) {
    const QFileInfo photo(plan.photo);
    const Result<qint64> intent =
        intend(step::Rename{index, plan.photo, plan.destination, photo.size(),
                            photo.lastModified().toMSecsSinceEpoch()});
    if (!intent)
        return failure(intent.reason());
    if (Status renamed = renameWithoutReplacing(plan.photo, plan.destination); !renamed)
        return failure(renamed.reason());
    recordDone(*intent);
    return Warnings();
}

Result<Warnings> ConversionTransaction::write(qsizetype index, const PhotoPlan &plan,
                                              const QByteArray &picture) {
    if (Status ready = makeFolder(folderOf(plan.destination)); !ready)
        return failure(ready.reason());
    PendingFile out(plan.destination);
    const Result<FileDigest> written = writeOutput(index, plan, picture, out);
    if (!written)
        return failure(written.reason());

    Taken taken;
    Warnings warnings;
    if (plan.replacesDestination()) {
        Result<Warnings> replaced = replace(index, plan.destination, out, *written, taken);
        if (!replaced)
            return failure(replaced.reason());
        warnings = *replaced;
    } else if (Status published = publish(index, plan.destination, out, *written, taken);
               !published) {
        return failure(published.reason());
    }
    if (!plan.setsAsidePhoto())
        return warnings;

    // The output stands for the photo: its name is on the disk before the photo's goes.
    if (Status flushed = flushFolder(folderOf(plan.destination)); !flushed)
        return rollBack(index, taken, flushed.reason());
    const Result<FileDigest> photo = digestOfFile(plan.photo);
    if (!photo)
        return rollBack(index, taken, photo.reason());
    if (Result<QString> gone = setAside(index, plan.photo, plan.photo, *photo); !gone)
        return rollBack(index, taken, gone.reason());
    return warnings;
}

// Writes the output under a temporary name beside its destination, recorded first so that undo
// can take away what a conversion killed half way left.
Result<FileDigest> ConversionTransaction::writeOutput(qsizetype index, const PhotoPlan &plan,
                                                      const QByteArray &picture, PendingFile &out) {
    const QString temporary = temporaryNameFor(plan.destination);
    if (const Result<qint64> intent = intend(step::Temporary{index, temporary}); !intent)
        return failure(intent.reason());
    // In place the output stands for the photo, and takes its permissions; a copy keeps its own.
    const bool inPlace = plan.setsAsidePhoto() || plan.destination == plan.photo;
    const Status opened =
        plan.copies()
            ? out.open(temporary, QFile::permissions(plan.source) | QFileDevice::WriteOwner)
        : inPlace ? out.open(temporary, QFile::permissions(plan.source))
                  : out.open(temporary);
    if (!opened)
        return failure(opened.reason());
    Result<FileDigest> written = plan.copies() ? copyInto(out, plan.source) : digestOf(picture);
    if (!written)
        return failure(written.reason());
    if (!plan.copies()) {
        if (Status bytes = out.write(picture); !bytes)
            return failure(bytes.reason());
    }
    // Where something goes for it, the output is on the disk before anything goes.
    if (plan.setsAside()) {
        if (Status flushed = out.flush(); !flushed)
            return failure(flushed.reason());
    }
    return written;
}

// The output takes the name of the file at path, which becomes a hidden backup beside it in the
// same instant, then moves on to the trash where there is one: whatever happens, the name holds
// the one or the other, and the record of both is on the disk first.
Result<Warnings> ConversionTransaction::replace(qsizetype index, const QString &path,
                                                PendingFile &out, const FileDigest &output,
                                                Taken &taken) {
    const Result<FileDigest> original = digestOfFile(path);
    if (!original)
        return failure(original.reason());
    const QString backup = backupBeside(path);
    const SetAsidePlace trash = reserveTrash(path);
    const Result<qint64> intent =
        intend(step::Replace{index, path, backup, *original, output, trash.trash, trash.kept},
               Durability::OnDisk);
    Status moved = intent ? out.moveTo(backup) : Status(failure(intent.reason()));
    const Result<bool> exchanged = moved ? out.exchange() : Result<bool>(failure(moved.reason()));
    if (!exchanged || !*exchanged)
        releasePlace(trash);
    if (!exchanged)
        return failure(exchanged.reason());

    Warnings warnings;
    if (!*exchanged) {
        // A file system that cannot swap two names: the file goes first, then the output takes
        // its name.
        Result<QString> kept = setAside(index, path, path, *original);
        if (!kept)
            return failure(kept.reason());
        taken.keptAside = *kept;
        taken.belongsAt = path;
        if (Status published = publish(index, path, out, output, taken); !published)
            return rollBack(index, taken, published.reason());
        return warnings;
    }
    // Once the swap is on the disk, the file may go on; it stays the backup where it cannot.
    if (Status flushed = flushFolder(folderOf(path)); !flushed)
        warnings.append({notOnDisk(), flushed.reason()});
    const bool trashed = !trash.kept.isEmpty() && moveAside(backup, trash).ok();
    if (!trashed)
        releasePlace(trash);
    recordDone(*intent, trashed ? trash.kept : backup);
    return warnings;
}

Status ConversionTransaction::publish(qsizetype index, const QString &path, PendingFile &out,
                                      const FileDigest &output, Taken &taken) {
    const Result<qint64> intent = intend(step::Publish{index, path, output});
    if (!intent)
        return failure(intent.reason());
    if (Status published = out.publish(); !published)
        return published;
    recordDone(*intent);
    taken.published = path;
    taken.output = output;
    return {};
}

// The first trash that takes a name for the file at path; none where there is none.
SetAsidePlace ConversionTransaction::reserveTrash(const QString &path) {
    for (const SetAsidePlace &place : placesToSetAside(path)) {
        if (place.trash.isEmpty())
            continue;
        if (Result<SetAsidePlace> reserved = reservePlace(place, path))
            return *reserved;
    }
    return {};
}

// Moves a file out of the way, its record (what it holds, where it goes) on the disk first, so
// that undo can find it and prove it is the same. A place that cannot take it (a trash on another
// mount) gives way to the next.
Result<QString> ConversionTransaction::setAside(qsizetype index, const QString &path,
                                                const QString &belongsAt,
                                                const FileDigest &digest) {
    QString reason;
    for (const SetAsidePlace &place : placesToSetAside(belongsAt)) {
        const Result<SetAsidePlace> reserved = reservePlace(place, belongsAt);
        if (!reserved) {
            reason = reserved.reason();
            continue;
        }
        const QString backup = reserved->trash.isEmpty() ? reserved->kept : QString();
        const Result<qint64> intent = intend(
            step::SetAside{index, path, belongsAt, digest, reserved->trash, backup, reserved->kept},
            Durability::OnDisk);
        if (!intent) {
            releasePlace(*reserved);
            return failure(intent.reason());
        }
        if (Status moved = moveAside(path, *reserved); !moved) {
            releasePlace(*reserved);
            reason = moved.reason();
            if (!isOnDisk(path))
                break;
            continue;
        }
        recordDone(*intent, reserved->kept);
        return reserved->kept;
    }
    return failure(reason);
}

Failure ConversionTransaction::rollBack(qsizetype index, const Taken &taken, const QString &why) {
    const Result<qint64> intent = intend(step::Rollback{index});
    QStringList where;
    // The output goes first, when it is still the file just published: the file set aside may
    // come back to its name.
    if (!taken.published.isEmpty()) {
        const Result<FileDigest> now = digestOfFile(taken.published);
        if (!now || *now != taken.output || !QFile::remove(taken.published))
            where.append(QCoreApplication::translate("pelmora", "the converted file stays as %1")
                             .arg(taken.published));
    }
    if (!taken.keptAside.isEmpty()) {
        if (Status back = bringBack(taken.keptAside, taken.belongsAt); !back)
            where.append(QCoreApplication::translate(
                             "pelmora", "the file it was to replace could not be put back and is "
                                        "now %1 (%2)")
                             .arg(taken.keptAside, back.reason()));
    }
    if (intent)
        recordDone(*intent, {}, where.isEmpty());
    QString reason = why;
    for (const QString &said : std::as_const(where))
        reason = QCoreApplication::translate("pelmora", "%1; %2").arg(reason, said);
    return failure(reason);
}

} // namespace pelmora
