#include "outputfolder.h"

#include "files/filecontent.h"
#include "photolist/photoentry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pelmora {

Result<QString> checkOutputFolder(const QString &text) {
    if (text.isEmpty())
        return QString();
    const QString folder = QFileInfo(QDir::fromNativeSeparators(text)).absoluteFilePath();

    // The folder itself, or the nearest one on its way that is there, must be a writable folder.
    QString existing = folder;
    while (!isOnDisk(existing) && existing.size() > 1)
        existing = QFileInfo(existing).absolutePath();
    const QFileInfo there(existing);
    if (!there.isDir()) {
        if (existing == folder)
            return failure(QCoreApplication::translate(
                               "pelmora", "the output folder %1 is a file, not a folder")
                               .arg(text));
        return failure(
            QCoreApplication::translate("pelmora", "cannot create the output folder %1").arg(text));
    }
    if (!there.isWritable()) {
        if (existing == folder)
            return failure(
                QCoreApplication::translate("pelmora", "the output folder %1 is not writable")
                    .arg(text));
        return failure(
            QCoreApplication::translate("pelmora", "cannot create the output folder %1").arg(text));
    }
    return withTrailingSeparator(folder);
}

} // namespace pelmora
