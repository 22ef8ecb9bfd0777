#include "renamefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace pelmora {

QString invalidFileNameReason(const QString &name) {
    if (name.isEmpty())
        return QCoreApplication::translate("pelmora", "the name is empty");
    if (name == u"." || name == u"..")
        return QCoreApplication::translate("pelmora", "\"%1\" is not a file name").arg(name);
    if (name.contains(u'/'))
        return QCoreApplication::translate("pelmora", "the name \"%1\" holds a path separator")
            .arg(name);
#ifdef Q_OS_WIN
    if (name.contains(u'\\'))
        return QCoreApplication::translate("pelmora", "the name \"%1\" holds a path separator")
            .arg(name);
#endif
    if (name.contains(QChar(0)))
        return QCoreApplication::translate("pelmora", "the name holds a null character");
    return QString();
}

RenameResult renameInFolder(const QString &path, const QString &newName) {
    const QFileInfo info(path);
    if (info.fileName() == newName)
        return {true, path, QString()};

    const QString reason = invalidFileNameReason(newName);
    if (!reason.isEmpty())
        return {false, path,
                QCoreApplication::translate("pelmora", "cannot rename %1: %2")
                    .arg(info.fileName(), reason)};

    const QString folder = path.left(path.size() - info.fileName().size());
    const QString newPath = folder + newName;
    if (QFileInfo::exists(newPath) || QFileInfo(newPath).isSymLink())
        return {false, path,
                QCoreApplication::translate(
                    "pelmora", "cannot rename %1 to %2: a file of that name already exists")
                    .arg(info.fileName(), newName)};

    QFile file(path);
    if (!file.rename(newPath))
        return {false, path,
                QCoreApplication::translate("pelmora", "cannot rename %1 to %2: %3")
                    .arg(info.fileName(), newName, file.errorString())};
    return {true, newPath, QString()};
}

} // namespace pelmora
