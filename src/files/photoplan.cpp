#include "photoplan.h"

#include "files/filecontent.h"
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

QString writtenEarlier(const QString &name) {
    return QCoreApplication::translate("pelmora",
                                       "%1 was written by an earlier photo of this conversion")
        .arg(name);
}

Result<PhotoPlan> inPlace(PhotoPlan plan, const PhotoEntry &photo, const QString &outputName,
                          bool resize, bool link, const ConversionChanges &earlier) {
    plan.destination = plan.photo;
    if (outputName == photo.name && !resize)
        return plan; // Keep
    // A photo marked read-only is not rewritten in place (a link's photo is never rewritten).
    if (resize && !link && !(QFile::permissions(plan.photo) & QFileDevice::WriteOwner))
        return failure(
            QCoreApplication::translate("pelmora", "the photo %1 is read-only").arg(photo.name));
    if (outputName == photo.name) {
        if (earlier.written(plan.photo))
            return failure(writtenEarlier(photo.name));
        plan.action = PhotoAction::WriteOver;
        return plan;
    }
    // A link's output takes the link's place in the link's own folder.
    plan.destination = photo.folder + outputName;
    if (earlier.exists(plan.destination))
        return failure(nameTaken(photo.name, outputName));
    if (earlier.written(plan.photo))
        return failure(writtenEarlier(photo.name));
    plan.action = resize ? PhotoAction::WriteAndSetAside
                         : (link ? PhotoAction::CopyAndSetAside : PhotoAction::Rename);
    return plan;
}

} // namespace

bool PhotoPlan::writesPicture() const {
    return action == PhotoAction::Write || action == PhotoAction::WriteOver ||
           action == PhotoAction::WriteAndSetAside;
}

bool PhotoPlan::copies() const {
    return action == PhotoAction::Copy || action == PhotoAction::CopyOver ||
           action == PhotoAction::CopyAndSetAside;
}

bool PhotoPlan::replacesDestination() const {
    return action == PhotoAction::CopyOver || action == PhotoAction::WriteOver;
}

bool PhotoPlan::setsAsidePhoto() const {
    return action == PhotoAction::CopyAndSetAside || action == PhotoAction::WriteAndSetAside;
}

bool ConversionChanges::exists(const QString &path) const {
    const QString key = locationKey(path);
    if (m_written.contains(key))
        return true;
    return !m_gone.contains(key) && isOnDisk(path);
}

bool ConversionChanges::written(const QString &path) const {
    return m_written.contains(locationKey(path));
}

void ConversionChanges::add(const PhotoPlan &plan) {
    if (plan.action == PhotoAction::Keep)
        return;
    if (plan.action == PhotoAction::Rename || plan.setsAsidePhoto()) {
        const QString photo = locationKey(plan.photo);
        m_gone.insert(photo);
        m_written.remove(photo);
    }
    const QString destination = locationKey(plan.destination);
    m_written.insert(destination);
    m_gone.remove(destination);
}

Result<PhotoPlan> planPhoto(const PhotoEntry &photo, const QString &name,
                            const PlanSettings &settings, const ConversionChanges &earlier) {
    PhotoPlan plan;
    plan.photo = photo.path();
    plan.source = plan.photo;
    const QFileInfo listed(plan.photo);
    const bool link = listed.isSymLink();
    if (link)
        plan.source = listed.canonicalFilePath(); // the file it names, found from its own folder
    if (!earlier.exists(plan.photo) || plan.source.isEmpty() || !QFileInfo::exists(plan.source))
        return failure(QCoreApplication::translate("pelmora", "photo not found"));
    if (!QFileInfo(plan.source).isFile())
        return failure(QCoreApplication::translate("pelmora", "not a file"));
    if (settings.rename) {
        if (const Status valid = checkFileName(name); !valid)
            return failure(QCoreApplication::translate("pelmora", "cannot rename %1: %2")
                               .arg(photo.name, valid.reason()));
    }
    const QString outputName = settings.rename ? name : photo.name;
    if (settings.outputFolder.isEmpty())
        return inPlace(plan, photo, outputName, settings.resize, link, earlier);

    // An output folder that is the folder of the file read would have the photo overwrite itself.
    if (sameFolder(settings.outputFolder, QFileInfo(plan.source).absolutePath()) &&
        outputName == QFileInfo(plan.source).fileName())
        return failure(
            QCoreApplication::translate("pelmora", "the output folder %1 is the photo's own folder")
                .arg(QDir::toNativeSeparators(settings.outputFolder)));
    plan.destination = settings.outputFolder + outputName;
    if (!earlier.exists(plan.destination)) {
        plan.action = settings.resize ? PhotoAction::Write : PhotoAction::Copy;
        return plan;
    }
    if (settings.rename)
        return failure(nameTaken(photo.name, outputName));
    if (QFileInfo(plan.destination).isDir())
        return failure(QCoreApplication::translate("pelmora", "cannot replace %1: it is a folder")
                           .arg(plan.destination));
    if (earlier.written(plan.destination))
        return failure(writtenEarlier(outputName));
    plan.action = settings.resize ? PhotoAction::WriteOver : PhotoAction::CopyOver;
    return plan;
}

QString locationKey(const QString &path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return (canonical.isEmpty() ? QDir::cleanPath(folder) : canonical) + u'/' + info.fileName();
}

} // namespace pelmora
