#include "outputfolder.h"

#include "photolist/photoentry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pelmora {

OutputFolderResult prepareOutputFolder(const QString &text) {
    if (text.isEmpty())
        return {true, QString(), QString()};

    const QFileInfo info(text);
    if (info.exists() && !info.isDir())
        return {
            false, QString(),
            QCoreApplication::translate("pelmora", "the output folder %1 is a file, not a folder")
                .arg(text)};
    if (!info.exists() && !QDir().mkpath(text))
        return {
            false, QString(),
            QCoreApplication::translate("pelmora", "cannot create the output folder %1").arg(text)};

    const QFileInfo created(text);
    if (!created.isDir())
        return {
            false, QString(),
            QCoreApplication::translate("pelmora", "cannot create the output folder %1").arg(text)};
    if (!created.isWritable())
        return {false, QString(),
                QCoreApplication::translate("pelmora", "the output folder %1 is not writable")
                    .arg(text)};
    return {true, withTrailingSeparator(QDir::fromNativeSeparators(text)), QString()};
}

} // namespace pelmora
