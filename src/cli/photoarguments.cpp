#include "photoarguments.h"

#include "imagesize/imagesize.h"
#include "photolist/photoentry.h"
#include "photolist/sortedinsert.h"

#include <QDir>
#include <QFileInfo>

namespace pelmora {

namespace {

// The names in the order the photo list would hold them after a drop of them in this order.
QStringList inDropOrder(const QStringList &names) {
    QStringList sorted;
    sorted.reserve(names.size());
    for (const QString &name : names) {
        const int at = sortedInsertIndex(
            int(sorted.size()), [&sorted](int i) { return sorted[i]; }, name);
        sorted.insert(at, name);
    }
    return sorted;
}

// `folder` as given, ending with its separator; the paths found start with it.
void addPictures(const QString &folder, const FolderReading &reading, const QString &skipped,
                 QStringList &pictures) {
    const QDir dir(folder);
    // QDir leaves hidden entries out unless asked for them.
    for (const QString &name : inDropOrder(dir.entryList(QDir::Files, QDir::Name))) {
        if (isPicture(folder + name))
            pictures.append(folder + name);
    }
    if (!reading.recursive)
        return;
    const QStringList folders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString &name : inDropOrder(folders)) {
        const QString path = folder + name;
        if (skipped.isEmpty() || QFileInfo(path).canonicalFilePath() != skipped)
            addPictures(withTrailingSeparator(path), reading, skipped, pictures);
    }
}

} // namespace

bool isPicture(const QString &path) {
    return ReadImageSize(path).has_value();
}

QStringList picturesInFolder(const QString &folder, const FolderReading &reading) {
    const QString skipped =
        reading.skipped.isEmpty() ? QString() : QFileInfo(reading.skipped).canonicalFilePath();
    QStringList pictures;
    addPictures(withTrailingSeparator(folder), reading, skipped, pictures);
    return pictures;
}

PhotoArguments readPhotoArguments(const QStringList &arguments, const FolderReading &reading) {
    PhotoArguments read;
    for (const QString &argument : arguments) {
        const QFileInfo info(argument);
        if (!info.isDir()) {
            read.photos.append(info.absoluteFilePath());
            continue;
        }
        const QStringList pictures = picturesInFolder(info.absoluteFilePath(), reading);
        if (pictures.isEmpty())
            read.emptyFolders.append(info.absoluteFilePath());
        read.photos += pictures;
    }
    return read;
}

} // namespace pelmora
