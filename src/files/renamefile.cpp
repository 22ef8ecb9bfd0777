#include "renamefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace pelmora {

Status checkFileName(const QString &name) {
    if (name.isEmpty())
        return failure(QCoreApplication::translate("pelmora", "the name is empty"));
    if (name == u"." || name == u"..")
        return failure(
            QCoreApplication::translate("pelmora", "\"%1\" is not a file name").arg(name));
    if (name.contains(u'/'))
        return failure(
            QCoreApplication::translate("pelmora", "the name \"%1\" holds a path separator")
                .arg(name));
#ifdef Q_OS_WIN
    if (name.contains(u'\\'))
        return failure(
            QCoreApplication::translate("pelmora", "the name \"%1\" holds a path separator")
                .arg(name));
#endif
    if (name.contains(QChar(0)))
        return failure(QCoreApplication::translate("pelmora", "the name holds a null character"));
    return {};
}

Result<QString> renameInFolder(const QString &path, const QString &newName) {
    const QFileInfo info(path);
    if (info.fileName() == newName)
        return path;

    if (const Status valid = checkFileName(newName); !valid)
        return failure(QCoreApplication::translate("pelmora", "cannot rename %1: %2")
                           .arg(info.fileName(), valid.reason()));

    const QString folder = path.left(path.size() - info.fileName().size());
    const QString newPath = folder + newName;
    if (QFileInfo::exists(newPath) || QFileInfo(newPath).isSymLink())
        return failure(QCoreApplication::translate(
                           "pelmora", "cannot rename %1 to %2: a file of that name already exists")
                           .arg(info.fileName(), newName));

    QFile file(path);
    if (!file.rename(newPath))
        return failure(QCoreApplication::translate("pelmora", "cannot rename %1 to %2: %3")
                           .arg(info.fileName(), newName, file.errorString()));
    return newPath;
}

} // namespace pelmora
