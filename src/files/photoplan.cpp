#include "photoplan.h"

#include "files/filename.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace pelmora {

namespace {

// Whether two paths name one folder (as typed, through "..", a doubled separator or a link).
bool sameFolder(const QString &a, const QString &b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(std::filesystem::path(a.toStdU16String()),
                                                  std::filesystem::path(b.toStdU16String()), error);
    return !error && same;
}

QString nameTaken(const QString &photo, const QString &name) {
    return QCoreApplication::translate("pelmora",
                                       "cannot rename %1 to %2: a file of that name already exists")
        .arg(photo, name);
}

} // namespace

Result<PhotoPlan> locatePhoto(const PhotoEntry &photo, const QString &outputFolder,
                              const QString &name, bool rename, bool resize) {
    const QFileInfo given(photo.path());
    PhotoPlan plan;
    plan.source = photo.path();
    QString photoFolder = photo.folder;
    if (given.isSymLink()) {
        // The photo it names, found from the link's own folder.
        plan.source = given.canonicalFilePath();
        photoFolder = QFileInfo(plan.source).absolutePath() + u'/';
    }
    const QFileInfo file(plan.source);
    if (plan.source.isEmpty() || !file.exists())
        return failure(QCoreApplication::translate("pelmora", "photo not found"));
    if (!file.isFile())
        return failure(QCoreApplication::translate("pelmora", "not a file"));
    if (rename) {
        if (const Status valid = checkFileName(name); !valid)
            return failure(QCoreApplication::translate("pelmora", "cannot rename %1: %2")
                               .arg(photo.name, valid.reason()));
    }

    plan.inPlace = outputFolder.isEmpty();
    if (plan.inPlace) {
        const QString outputName = rename ? name : file.fileName();
        if (outputName == file.fileName()) { // the photo keeps its name
            plan.destination = plan.source;
            plan.output = resize ? Output::Picture : Output::None;
            plan.replaces = resize;
        } else {
            plan.destination = photoFolder + outputName;
            plan.output = resize ? Output::Picture : Output::Rename;
            plan.removesSource = true;
        }
        return plan;
    }

    const QString outputName = rename ? name : photo.name;
    if (sameFolder(outputFolder, photoFolder) && (!rename || outputName == file.fileName()))
        return failure(
            QCoreApplication::translate("pelmora", "the output folder %1 is the photo's own folder")
                .arg(QDir::toNativeSeparators(outputFolder)));
    plan.destination = outputFolder + outputName;
    plan.output = resize ? Output::Picture : Output::Copy;
    return plan;
}

Status settleDestination(PhotoPlan &plan, bool rename) {
    if (plan.output == Output::None)
        return {};
    if (plan.inPlace && plan.output == Output::Picture &&
        !(QFile::permissions(plan.source) & QFileDevice::WriteOwner))
        return failure(QCoreApplication::translate("pelmora", "the photo %1 is read-only")
                           .arg(QFileInfo(plan.source).fileName()));
    if (plan.destination == plan.source)
        return {};
    const QFileInfo destination(plan.destination);
    if (!destination.exists() && !destination.isSymLink())
        return {};
    if (rename || plan.inPlace)
        return failure(nameTaken(QFileInfo(plan.source).fileName(), destination.fileName()));
    if (destination.isDir())
        return failure(QCoreApplication::translate("pelmora", "cannot replace %1: it is a folder")
                           .arg(plan.destination));
    plan.replaces = true;
    return {};
}

QString locationKey(const QString &path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return (canonical.isEmpty() ? QDir::cleanPath(folder) : canonical) + u'/' + info.fileName();
}

} // namespace pelmora
