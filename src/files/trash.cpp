#include "trash.h"

#include "files/pendingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <sys/stat.h>

namespace pelmora {

namespace {

constexpr char kBackupPrefix[] = ".pelmora-";
constexpr char kBackupSuffix[] = ".bak";

dev_t deviceOf(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : dev_t(-1);
}

// The nearest folder on the way to path that exists (path itself when it does).
QString existingFolder(QString path) {
    while (!QFileInfo(path).isDir() && path.size() > 1)
        path = QFileInfo(path).absolutePath();
    return path;
}

// The user's trash is made when missing. Where it cannot be, Qt 6.4 moves a file on the same disk
// into files/ below the working folder (and calls that a success), so that case is told apart
// before Qt is asked; a file on another disk goes to that disk's own trash, which Qt finds or
// refuses cleanly.
bool homeTrashUnusable(const QString &path) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString trash = data + QStringLiteral("/Trash");
    if (!data.isEmpty() && (QFileInfo(trash).isDir() || QDir().mkpath(trash)))
        return false;
    return data.isEmpty() ||
           deviceOf(existingFolder(data)) == deviceOf(QFileInfo(path).absolutePath());
}

// The trash's record of where a file in its files/ folder came from.
QString trashInfoOf(const QString &inTrash) {
    const QFileInfo file(inTrash);
    return file.absolutePath() + QStringLiteral("/../info/") + file.fileName() +
           QStringLiteral(".trashinfo");
}

Result<QString> backUp(const QString &path) {
    const QString folder = QFileInfo(path).absolutePath() + u'/';
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString backup = folder + QLatin1String(kBackupPrefix) +
                               QString::number(QRandomGenerator::global()->generate(), 16) +
                               QLatin1String(kBackupSuffix);
        const Status moved = renameWithoutReplacing(path, backup);
        if (moved)
            return backup;
        if (QFileInfo::exists(path) && !QFileInfo::exists(backup))
            return failure(QCoreApplication::translate(
                               "pelmora", "cannot move %1 to the trash or keep a backup: %2")
                               .arg(path, moved.reason()));
    }
    return failure(
        QCoreApplication::translate("pelmora", "cannot move %1 to the trash or keep a backup")
            .arg(path));
}

} // namespace

Result<QString> setAside(const QString &path) {
    QString inTrash;
    if (!homeTrashUnusable(path) && QFile::moveToTrash(path, &inTrash)) {
        if (QFileInfo(inTrash).isAbsolute())
            return inTrash;
        // The bug above after all: put it back and keep a backup instead.
        QFile::remove(trashInfoOf(inTrash));
        if (!bringBack(inTrash, path))
            return failure(
                QCoreApplication::translate("pelmora", "cannot move %1 to the trash").arg(path));
    }
    return backUp(path);
}

bool isBackup(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    return name.startsWith(QLatin1String(kBackupPrefix)) &&
           name.endsWith(QLatin1String(kBackupSuffix));
}

Status bringBack(const QString &from, const QString &to) {
    if (Status moved = renameWithoutReplacing(from, to); !moved)
        return moved;
    if (!isBackup(from) && QFileInfo(from).absolutePath().endsWith(QStringLiteral("/files")))
        QFile::remove(trashInfoOf(from));
    return {};
}

} // namespace pelmora
