#include "outputfolder.h"

#include "photolist/photoentry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pelmora {

Result<QString> prepareOutputFolder(const QString &text) {
    if (text.isEmpty())
        return QString();

    const QFileInfo info(text);
    if (info.exists() && !info.isDir())
        return failure(
            QCoreApplication::translate("pelmora", "the output folder %1 is a file, not a folder")
                .arg(text));
    if (!info.exists() && !QDir().mkpath(text))
        return failure(
            QCoreApplication::translate("pelmora", "cannot create the output folder %1").arg(text));

    const QFileInfo created(text);
    if (!created.isDir())
        return failure(
            QCoreApplication::translate("pelmora", "cannot create the output folder %1").arg(text));
    if (!created.isWritable())
        return failure(
            QCoreApplication::translate("pelmora", "the output folder %1 is not writable")
                .arg(text));
    return withTrailingSeparator(QDir::fromNativeSeparators(text));
}

} // namespace pelmora
