#include "photoarguments.h"

#include "imagesize/imagesize.h"
#include "photolist/photoentry.h"
#include "photolist/sortedinsert.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmora {

namespace {

// The command line reports in English.
QString folderUnreadable(int error) {
    return QStringLiteral("the folder cannot be read: ") +
           QString::fromLocal8Bit(std::strerror(error));
}

QString fileUnreadable(int error) {
    return QStringLiteral("the photo cannot be read: ") +
           QString::fromLocal8Bit(std::strerror(error));
}

QString noPicture() {
    return QStringLiteral("no picture in this folder");
}

// A name of a folder's listing, as its bytes and as it can be shown.
struct ListedName {
    QByteArray bytes;
    QString text;
    bool utf8 = true; // text names the same file
};

// The names in the order the photo list would hold them after a drop of them in the order the
// folder listing sorts them (by name, letter case counting).
QList<ListedName> inDropOrder(QList<ListedName> names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const ListedName &a, const ListedName &b) { return a.text < b.text; });
    QList<ListedName> sorted;
    sorted.reserve(names.size());
    for (ListedName &name : names) {
        const int at = sortedInsertIndex(
            int(sorted.size()), [&sorted](int i) { return sorted[i].text; }, name.text);
        sorted.insert(at, std::move(name));
    }
    return sorted;
}

// Reads the folders through descriptors, so that a name that is no valid UTF-8 is still opened
// and its header read, to tell whether it is a picture that could not be converted.
class FolderWalk {
public:
    FolderWalk(const FolderReading &reading, FolderContents &contents)
        : m_reading(reading)
        , m_contents(contents) {
        struct stat skipped {};
        if (!reading.skipped.isEmpty() &&
            ::stat(QFile::encodeName(reading.skipped).constData(), &skipped) == 0)
            m_skipped = std::make_pair(skipped.st_dev, skipped.st_ino);
    }

    // `shown` ends with a separator; `named` tells whether the paths under it open by name.
    void read(int folder, const QString &shown, bool named) {
        DIR *listing = ::fdopendir(folder);
        if (!listing) {
            ::close(folder);
            return;
        }
        QList<ListedName> files;
        QList<ListedName> folders;
        while (const dirent *entry = ::readdir(listing)) {
            const QByteArray bytes(entry->d_name);
            if (bytes.startsWith('.')) // hidden, and "." and ".."
                continue;
            const QString text = QString::fromUtf8(bytes);
            const ListedName name{bytes, text, text.toUtf8() == bytes};
            struct stat target {};
            if (::fstatat(folder, bytes.constData(), &target, 0) != 0)
                continue; // a dangling link, or gone already: no file
            if (S_ISREG(target.st_mode)) {
                files.append(name);
            } else if (S_ISDIR(target.st_mode) && m_reading.recursive) {
                struct stat own {};
                const bool link =
                    ::fstatat(folder, bytes.constData(), &own, AT_SYMLINK_NOFOLLOW) == 0 &&
                    S_ISLNK(own.st_mode);
                if (!link && m_skipped != std::make_pair(target.st_dev, target.st_ino))
                    folders.append(name);
            }
        }
        for (const ListedName &name : inDropOrder(files))
            readFile(folder, name, shown, named);
        for (const ListedName &name : inDropOrder(folders)) {
            const int inside =
                ::openat(folder, name.bytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (inside < 0)
                m_contents.notRead.append({shown + name.text, folderUnreadable(errno), true});
            else
                read(inside, shown + name.text + u'/', named && name.utf8);
        }
        ::closedir(listing);
    }

private:
    void readFile(int folder, const ListedName &name, const QString &shown, bool named) {
        const QString path = shown + name.text;
        const int file =
            ::openat(folder, name.bytes.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (file < 0) {
            m_contents.notRead.append({path, fileUnreadable(errno)});
            return;
        }
        const bool picture = ReadImageSize(file).has_value();
        ::close(file);
        if (!picture)
            return; // another kind of file
        if (named && name.utf8)
            m_contents.pictures.append(path);
        else
            m_contents.notRead.append({path, notUtf8Reason()});
    }

    const FolderReading &m_reading;
    FolderContents &m_contents;
    std::optional<std::pair<dev_t, ino_t>> m_skipped;
};

} // namespace

QString notUtf8Reason() {
    return QStringLiteral("the name is not valid UTF-8, so pelmora cannot open the photo");
}

FolderContents picturesInFolder(const QString &folder, const FolderReading &reading) {
    FolderContents contents;
    const int opened =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (opened < 0) {
        contents.notRead.append({folder, folderUnreadable(errno), true});
        return contents;
    }
    FolderWalk(reading, contents).read(opened, withTrailingSeparator(folder), true);
    if (contents.pictures.isEmpty() && contents.notRead.isEmpty())
        contents.notRead.append({folder, noPicture(), true});
    return contents;
}

PhotoArguments readPhotoArguments(const CommandArguments &arguments, const FolderReading &reading) {
    PhotoArguments read;
    for (qsizetype i = 0; i < arguments.texts.size(); ++i) {
        const QFileInfo info(arguments.texts[i]);
        if (arguments.notUtf8.value(i)) {
            read.notRead.append({info.absoluteFilePath(), notUtf8Reason()});
        } else if (!info.isDir()) {
            read.photos.append(info.absoluteFilePath());
        } else {
            const FolderContents contents = picturesInFolder(info.absoluteFilePath(), reading);
            read.photos += contents.pictures;
            read.notRead += contents.notRead;
        }
    }
    return read;
}

} // namespace pelmora
