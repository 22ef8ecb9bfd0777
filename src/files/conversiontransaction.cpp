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

} // namespace

ConversionTransaction::ConversionTransaction(const QString &journalFolder,
                                             const QString &numberBefore)
    : m_journal(journalFolder, {{QStringLiteral("pelmora"), QStringLiteral("conversion")},
                                {QStringLiteral("started"),
                                 QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                                {QStringLiteral("number"), numberBefore}}) {}

Result<PhotoPlan> ConversionTransaction::plan(const PhotoEntry &photo, const QString &name,
                                              const PlanSettings &settings) const {
    return planPhoto(photo, name, settings, m_changes);
}

Status ConversionTransaction::record(const QJsonObject &step) {
    const bool first = !m_journal.isMade();
    const Status recorded = m_journal.append(step);
    if (first && m_journal.isMade())
        forgetOldConversions(QFileInfo(m_journal.path()).absolutePath(), kConversionsKept);
    return recorded;
}

// Undo finds what a step did by looking at the disk (an output by its digest, a file set aside by
// its trash record or backup name), so a step stands even where its end cannot be recorded; a
// journal that cannot be written fails the next step before it is taken.
void ConversionTransaction::recordDone(const QJsonObject &step) {
    static_cast<void>(record(step));
}

Status ConversionTransaction::startPhoto(qsizetype index, const PhotoPlan &plan) {
    return record({{QStringLiteral("step"), QStringLiteral("photo")},
                   {QStringLiteral("photo"), index},
                   {QStringLiteral("path"), plan.photo}});
}

Status ConversionTransaction::makeFolder(const QString &given) {
    const QString folder = QDir::cleanPath(given);
    if (m_readyFolders.contains(folder))
        return {};
    QStringList missing;
    for (QString f = folder; !QFileInfo(f).isDir() && f.size() > 1; f = folderOf(f))
        missing.prepend(f);
    for (const QString &f : std::as_const(missing)) {
        if (Status recorded = record(
                {{QStringLiteral("step"), QStringLiteral("folder")}, {QStringLiteral("path"), f}});
            !recorded)
            return recorded;
        if (!QDir().mkdir(f) && !QFileInfo(f).isDir())
            return failure(
                QCoreApplication::translate("pelmora", "cannot create the output folder %1")
                    .arg(f));
        recordDone(
            {{QStringLiteral("done"), QStringLiteral("folder")}, {QStringLiteral("path"), f}});
    }
    removeStaleTemporaryFiles(folder);
    m_readyFolders.insert(folder);
    return {};
}

// Moves a file out of the way, recording first what it holds and where it is to go, so that undo
// can find it and prove it is the same.
Result<QString> ConversionTransaction::setAside(qsizetype index, const QString &path) {
    const Result<FileDigest> digest = digestOfFile(path);
    if (!digest)
        return failure(digest.reason());
    const SetAsidePlace place = placeToSetAside(path);
    QJsonObject step{{QStringLiteral("step"), QStringLiteral("setAside")},
                     {QStringLiteral("photo"), index},
                     {QStringLiteral("path"), path},
                     {QStringLiteral("size"), digest->size},
                     {QStringLiteral("hash"), QString::fromLatin1(digest->hash)}};
    if (place.trash.isEmpty())
        step.insert(QStringLiteral("backup"), place.backup);
    else
        step.insert(QStringLiteral("trash"), place.trash);
    if (Status recorded = record(step); !recorded)
        return failure(recorded.reason());
    const Result<QString> kept = moveAside(path, place);
    if (kept)
        recordDone({{QStringLiteral("done"), QStringLiteral("setAside")},
                    {QStringLiteral("photo"), index},
                    {QStringLiteral("path"), path},
                    {QStringLiteral("to"), *kept}});
    return kept;
}

Result<Warnings> ConversionTransaction::rename(qsizetype index, const PhotoPlan &plan) {
    const QFileInfo photo(plan.photo);
    if (Status recorded =
            record({{QStringLiteral("step"), QStringLiteral("rename")},
                    {QStringLiteral("photo"), index},
                    {QStringLiteral("from"), plan.photo},
                    {QStringLiteral("to"), plan.destination},
                    {QStringLiteral("size"), photo.size()},
                    {QStringLiteral("modified"), photo.lastModified().toMSecsSinceEpoch()}});
        !recorded)
        return failure(recorded.reason());
    if (Status renamed = renameWithoutReplacing(plan.photo, plan.destination); !renamed)
        return failure(renamed.reason());
    recordDone({{QStringLiteral("done"), QStringLiteral("rename")},
                {QStringLiteral("photo"), index},
                {QStringLiteral("to"), plan.destination}});
    return Warnings();
}

Result<Warnings> ConversionTransaction::write(qsizetype index, const PhotoPlan &plan,
                                              const QByteArray &picture) {
    if (Status ready = makeFolder(folderOf(plan.destination)); !ready)
        return failure(ready.reason());
    const QString temporary = temporaryNameFor(plan.destination);
    if (Status recorded = record({{QStringLiteral("step"), QStringLiteral("temporary")},
                                  {QStringLiteral("photo"), index},
                                  {QStringLiteral("path"), temporary}});
        !recorded)
        return failure(recorded.reason());

    // In place the output stands for the photo, and takes its permissions; a copy keeps its own.
    PendingFile out(plan.destination);
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

    std::optional<QString> kept;
    if (plan.replacesDestination()) {
        Result<QString> aside = setAside(index, plan.destination);
        if (!aside)
            return failure(aside.reason());
        kept = *aside;
    }
    Status published = record({{QStringLiteral("step"), QStringLiteral("publish")},
                               {QStringLiteral("photo"), index},
                               {QStringLiteral("path"), plan.destination},
                               {QStringLiteral("size"), written->size},
                               {QStringLiteral("hash"), QString::fromLatin1(written->hash)}});
    if (published)
        published = out.publish();
    if (!published) {
        if (!kept)
            return failure(published.reason());
        if (Status back = bringBack(*kept, plan.destination); !back)
            return failure(QCoreApplication::translate(
                               "pelmora", "%1; the file it was to replace could not be put back "
                                          "and is now %2 (%3)")
                               .arg(published.reason(), *kept, back.reason()));
        return failure(published.reason());
    }
    recordDone({{QStringLiteral("done"), QStringLiteral("publish")},
                {QStringLiteral("photo"), index},
                {QStringLiteral("path"), plan.destination}});

    Warnings warnings;
    if (plan.setsAside()) {
        if (Status flushed = flushFolder(folderOf(plan.destination)); !flushed)
            warnings.append({QCoreApplication::translate(
                                 "pelmora", "the converted photo may not have reached the disk"),
                             flushed.reason()});
    }
    if (plan.setsAsidePhoto()) {
        if (Result<QString> gone = setAside(index, plan.photo); !gone) {
            // The photo stays: its output goes again, so that the disk is as it was.
            const Result<FileDigest> now = digestOfFile(plan.destination);
            if (now && *now == *written && QFile::remove(plan.destination))
                return failure(gone.reason());
            return failure(QCoreApplication::translate(
                               "pelmora", "%1; the converted file stays beside it as %2")
                               .arg(gone.reason(), plan.destination));
        }
    }
    return warnings;
}

Result<Warnings> ConversionTransaction::carryOut(qsizetype index, const PhotoPlan &plan,
                                                 const QByteArray &picture) {
    if (plan.action == PhotoAction::Keep)
        return Warnings();
    if (Status started = startPhoto(index, plan); !started)
        return failure(started.reason());
    const Result<Warnings> done =
        plan.action == PhotoAction::Rename ? rename(index, plan) : write(index, plan, picture);
    recordDone({{QStringLiteral("done"), QStringLiteral("photo")},
                {QStringLiteral("photo"), index},
                {QStringLiteral("converted"), done.ok()}});
    if (done)
        m_changes.add(plan);
    return done;
}

} // namespace pelmora
