#include "photooutput.h"

#include "files/pendingfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace pelmora {

namespace {

Durability durabilityOf(const PhotoPlan &plan) {
    return plan.inPlace ? Durability::FlushToDisk : Durability::LeaveToSystem;
}

Publish publishOf(const PhotoPlan &plan) {
    return plan.replaces ? Publish::Replacing : Publish::NewName;
}

QString cannotRead(const QFile &file) {
    return QCoreApplication::translate("pelmora", "cannot read the photo: %1")
        .arg(file.errorString());
}

Status copy(const PhotoPlan &plan) {
    QFile in(plan.source);
    if (!in.open(QIODevice::ReadOnly))
        return failure(cannotRead(in));
    PendingFile out(plan.destination);
    if (Status opened = out.open(in.permissions() | QFileDevice::WriteOwner); !opened)
        return opened;
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
    }
    if (Status dated = out.setModified(QFileInfo(plan.source).lastModified()); !dated)
        return dated;
    return out.publish(publishOf(plan), durabilityOf(plan));
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

Status carryOut(const PhotoPlan &plan) {
    switch (plan.output) {
    case Output::None:
    case Output::Picture:
        return {};
    case Output::Rename:
        return renameWithoutReplacing(plan.source, plan.destination);
    case Output::Copy:
        return copy(plan);
    }
    return {};
}

Status writePicture(const PhotoPlan &plan, const QByteArray &bytes) {
    PendingFile out(plan.destination);
    // In place, the picture stands for the photo and takes its permissions.
    const Status opened = plan.inPlace ? out.open(QFile::permissions(plan.source)) : out.open();
    if (!opened)
        return opened;
    if (Status written = out.write(bytes); !written)
        return written;
    if (Status published = out.publish(publishOf(plan), durabilityOf(plan)); !published)
        return published;
    if (plan.removesSource && !QFile::remove(plan.source))
        return failure(
            QCoreApplication::translate("pelmora",
                                        "%1 is converted, but the photo %2 could not be removed")
                .arg(QFileInfo(plan.destination).fileName(), QFileInfo(plan.source).fileName()));
    return {};
}

} // namespace pelmora
