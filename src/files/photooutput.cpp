#include "photooutput.h"

#include "files/pendingfile.h"
#include "files/trash.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace pelmora {

namespace {

Durability durabilityOf(const PhotoPlan &plan) {
    return plan.inPlace ? Durability::FlushToDisk : Durability::LeaveToSystem;
}

QString cannotRead(const QFile &file) {
    return QCoreApplication::translate("pelmora", "cannot read the photo: %1")
        .arg(file.errorString());
}

// Moves a file out of the way, and records where it went.
Result<QString> setAsideRecorded(const QString &path, UndoJournal *journal) {
    Result<QString> kept = setAside(path);
    if (kept && journal) {
        if (Status recorded = journal->setAside(path, *kept); !recorded) {
            (void)bringBack(*kept, path);
            return failure(recorded.reason());
        }
    }
    return kept;
}

// Gives a finished output its name: in place of the file it replaces, which is set aside first
// and brought back when the output cannot take its place after all. The journal has each step
// before it is taken (the set-aside file's place right after), in the order they are taken.
Status publish(PendingFile &out, const PhotoPlan &plan, qint64 size, const QByteArray &hash,
               UndoJournal *journal) {
    std::optional<QString> kept;
    if (plan.replaces && plan.setsAside) {
        Result<QString> aside = setAsideRecorded(plan.destination, journal);
        if (!aside)
            return failure(aside.reason());
        kept = *aside;
    }
    Status published = journal ? journal->writing(plan.destination, size, hash) : Status();
    if (published)
        published =
            out.publish(plan.replaces && !plan.setsAside ? Publish::Replacing : Publish::NewName,
                        durabilityOf(plan));
    if (!published && kept)
        (void)bringBack(*kept, plan.destination);
    return published;
}

// A photo converted in place under a new name goes once its output is there.
Status letPhotoGo(const PhotoPlan &plan, UndoJournal *journal) {
    if (!plan.removesSource)
        return {};
    QString why;
    if (plan.setsAside) {
        const Result<QString> kept = setAsideRecorded(plan.source, journal);
        if (kept)
            return {};
        why = kept.reason();
    } else if (QFile::remove(plan.source)) {
        return {};
    }
    return failure(
        QCoreApplication::translate("pelmora",
                                    "%1 is converted, but the photo %2 could not be moved away: %3")
            .arg(QFileInfo(plan.destination).fileName(), QFileInfo(plan.source).fileName(), why));
}

Status copy(const PhotoPlan &plan, UndoJournal *journal) {
    QFile in(plan.source);
    if (!in.open(QIODevice::ReadOnly))
        return failure(cannotRead(in));
    PendingFile out(plan.destination);
    if (Status opened = out.open(in.permissions() | QFileDevice::WriteOwner); !opened)
        return opened;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    qint64 size = 0;
    constexpr qint64 chunkSize = 1 << 20;
    for (;;) {
        const QByteArray chunk = in.read(chunkSize);
        if (chunk.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd())
                return failure(cannotRead(in));
            break;
        }
        if (Status written = out.write(chunk); !written)
            return written;
        hash.addData(chunk);
        size += chunk.size();
    }
    if (Status dated = out.setModified(QFileInfo(plan.source).lastModified()); !dated)
        return dated;
    return publish(out, plan, size, hash.result().toHex(), journal);
}

} // namespace

Result<QByteArray> readPhoto(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(cannotRead(file));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(cannotRead(file));
    return bytes;
}

Status carryOut(const PhotoPlan &plan, UndoJournal *journal) {
    switch (plan.output) {
    case Output::None:
    case Output::Picture:
        return {};
    case Output::Rename:
        if (journal) {
            if (Status recorded = journal->renaming(plan.source, plan.destination); !recorded)
                return recorded;
        }
        return renameWithoutReplacing(plan.source, plan.destination);
    case Output::Copy:
        return copy(plan, journal);
    }
    return {};
}

Status writePicture(const PhotoPlan &plan, const QByteArray &bytes, UndoJournal *journal) {
    PendingFile out(plan.destination);
    // In place, the picture stands for the photo and takes its permissions.
    const Status opened = plan.inPlace ? out.open(QFile::permissions(plan.source)) : out.open();
    if (!opened)
        return opened;
    if (Status written = out.write(bytes); !written)
        return written;
    if (Status published = publish(out, plan, bytes.size(), UndoJournal::hashOf(bytes), journal);
        !published)
        return published;
    return letPhotoGo(plan, journal);
}

} // namespace pelmora
