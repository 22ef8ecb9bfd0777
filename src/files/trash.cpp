#include "trash.h"

#include "files/filecontent.h"
#include "files/pendingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// The trash is written here rather than by QFile::moveToTrash: Qt 6.4 writes the .trashinfo Path
// without percent-encoding it (so "100%25 off.jpg" comes back from a file manager as
// "100% off.jpg"), and where the user's trash cannot be made it moves the file into files/ below
// the working folder and calls that a success.

namespace pelmora {

namespace {

constexpr char kBackupPrefix[] = ".pelmora-";
constexpr char kBackupSuffix[] = ".bak";
constexpr char kInfoSuffix[] = ".trashinfo";
constexpr qsizetype kLongestName = 255; // bytes, of the .trashinfo file's name

QByteArray native(const QString &path) {
    return QFile::encodeName(path);
}

// Which mount a path is on: two mounts of one disk (a bind mount) are two places for rename(2),
// which never moves a file from one to the other.
struct MountOf {
    quint64 device = quint64(-1);
    quint64 mount = quint64(-1); // 0 where the system does not tell

    friend bool operator==(const MountOf &, const MountOf &) = default;
};

MountOf mountOf(const QString &path) {
    struct statx st {};
    if (::statx(AT_FDCWD, native(path).constData(), 0, STATX_BASIC_STATS | STATX_MNT_ID, &st) != 0)
        return {};
    return {makedev(st.stx_dev_major, st.stx_dev_minor),
            (st.stx_mask & STATX_MNT_ID) ? st.stx_mnt_id : 0};
}

// The nearest folder on the way to path that exists (path itself when it does).
QString existingFolder(QString path) {
    while (!QFileInfo(path).isDir() && path.size() > 1)
        path = QFileInfo(path).absolutePath();
    return path;
}

QString canonical(const QString &path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : c;
}

// The folder at the top of the mount that holds path.
QString mountPointOf(const QString &path) {
    QString current = canonical(existingFolder(path));
    const MountOf mount = mountOf(current);
    while (current != u"/") {
        const QString parent = QFileInfo(current).absolutePath();
        if (!(mountOf(parent) == mount))
            break;
        current = parent;
    }
    return current;
}

QString homeTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/Trash");
}

QString uid() {
    return QString::number(::getuid());
}

// A folder of this user's, made when missing; never a link.
bool ownFolder(const QString &path) {
    ::mkdir(native(path).constData(), 0700);
    struct stat st {};
    return ::lstat(native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid();
}

bool usable(const QString &trash) {
    return !trash.isEmpty() && ownFolder(trash) && ownFolder(trash + QStringLiteral("/files")) &&
           ownFolder(trash + QStringLiteral("/info"));
}

// The disk's own trash: "$topdir/.Trash/UID" when the administrator made "$topdir/.Trash" (a
// sticky folder, not a link), else "$topdir/.Trash-UID".
QString diskTrash(const QString &topdir) {
    const QString shared = topdir + QStringLiteral("/.Trash");
    struct stat st {};
    if (::lstat(native(shared).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
        (st.st_mode & S_ISVTX)) {
        const QString own = shared + u'/' + uid();
        if (usable(own))
            return own;
    }
    const QString own = topdir + QStringLiteral("/.Trash-") + uid();
    return usable(own) ? own : QString();
}

// The folder that relative Paths in a trash's records start from: none for the user's own.
QString topdirOf(const QString &trash) {
    const QFileInfo info(trash);
    if (info.fileName() == QStringLiteral(".Trash-") + uid())
        return info.absolutePath();
    if (info.fileName() == uid() && QFileInfo(info.absolutePath()).fileName() == u".Trash")
        return QFileInfo(info.absolutePath()).absolutePath();
    return {};
}

QByteArray encodedPath(const QString &path) {
    return native(path).toPercentEncoding("/");
}

// Whether a record's Path names path: percent-encoded as it should be, or raw as Qt 6.4 wrote it.
bool recordNames(const QByteArray &value, const QString &topdir, const QString &path) {
    const QString key = QDir::cleanPath(path);
    for (const QByteArray &spelling : {QByteArray::fromPercentEncoding(value), value}) {
        const QString named = QFile::decodeName(spelling);
        const QString full =
            named.startsWith(u'/') || topdir.isEmpty() ? named : topdir + u'/' + named;
        if (QDir::cleanPath(full) == key)
            return true;
    }
    return false;
}

// A name in the trash for a file of this name: its own, else with a number; short enough that
// its record's name fits a file name.
QString trashName(const QString &name, int attempt) {
    QString base = name;
    const QString number = attempt > 1 ? QStringLiteral(".%1").arg(attempt) : QString();
    const qsizetype room = kLongestName - qsizetype(sizeof kInfoSuffix - 1) - number.size();
    while (native(base).size() > room)
        base.chop(1);
    return base + number;
}

QString cannotTrash(const QString &path, const QString &why) {
    return QCoreApplication::translate("pelmora", "cannot move %1 to the trash: %2").arg(path, why);
}

// The record of a file in a trash's files/.
QString infoOf(const QString &kept) {
    const QFileInfo file(kept);
    return QFileInfo(file.absolutePath()).absolutePath() + QStringLiteral("/info/") +
           file.fileName() + QLatin1String(kInfoSuffix);
}

} // namespace

QString backupBeside(const QString &path) {
    return QFileInfo(path).absolutePath() + u'/' + QLatin1String(kBackupPrefix) +
           QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0') +
           QLatin1String(kBackupSuffix);
}

QList<SetAsidePlace> placesToSetAside(const QString &path) {
    const QString folder = QFileInfo(path).absolutePath();
    const QString home = homeTrash();
    // rename(2) moves a file only within its mount: the user's own trash where it is on the
    // photo's mount, else the trash at the top of the photo's mount (also where the user's own
    // is on another mount of the same disk, a bind mount), else a backup beside it.
    const bool homeOnSameMount =
        !home.isEmpty() && mountOf(existingFolder(home)) == mountOf(folder);
    QList<SetAsidePlace> places;
    const QString trash =
        homeOnSameMount ? (usable(home) ? home : QString()) : diskTrash(mountPointOf(folder));
    if (!trash.isEmpty())
        places.append({trash, {}});
    places.append({{}, backupBeside(path)});
    return places;
}

Result<SetAsidePlace> reservePlace(const SetAsidePlace &place, const QString &belongsAt) {
    if (place.trash.isEmpty())
        return place;
    const QFileInfo file(belongsAt);
    const QString original = canonical(file.absolutePath()) + u'/' + file.fileName();
    const QString topdir = topdirOf(place.trash);
    QByteArray record = "[Trash Info]\nPath=";
    record += encodedPath(topdir.isEmpty() || !original.startsWith(topdir + u'/')
                              ? original
                              : original.mid(topdir.size() + 1));
    record +=
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).left(19).toLatin1() +
        '\n';
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const QString name = trashName(file.fileName(), attempt);
        const QByteArray info = native(place.trash + QStringLiteral("/info/") + name + kInfoSuffix);
        const QString kept = place.trash + QStringLiteral("/files/") + name;
        // The record is made first, and only where no record of that name is, and no file: the
        // name is ours.
        const int fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return failure(cannotTrash(belongsAt, qt_error_string(errno)));
        const bool written =
            ::write(fd, record.constData(), size_t(record.size())) == record.size();
        const int error = errno;
        ::close(fd);
        if (written && !isOnDisk(kept))
            return SetAsidePlace{place.trash, kept};
        ::unlink(info.constData());
        if (!written)
            return failure(cannotTrash(belongsAt, qt_error_string(error ? error : ENOSPC)));
    }
    return failure(cannotTrash(belongsAt, qt_error_string(EEXIST)));
}

Status moveAside(const QString &path, const SetAsidePlace &place) {
    if (Status moved = renameWithoutReplacing(path, place.kept); !moved)
        return failure(place.trash.isEmpty()
                           ? QCoreApplication::translate(
                                 "pelmora", "cannot move %1 to the trash or keep a backup: %2")
                                 .arg(path, moved.reason())
                           : cannotTrash(path, moved.reason()));
    return {};
}

void releasePlace(const SetAsidePlace &place) {
    if (!place.trash.isEmpty() && !place.kept.isEmpty() && !isOnDisk(place.kept))
        QFile::remove(infoOf(place.kept));
}

bool isSetAsidePlace(const QString &kept, const QString &original) {
    const QFileInfo file(kept);
    if (!file.isAbsolute() || QDir::cleanPath(kept) != kept)
        return false;
    if (isBackup(kept))
        return canonical(file.absolutePath()) == canonical(QFileInfo(original).absolutePath());
    const QString files = file.absolutePath();
    if (QFileInfo(files).fileName() != u"files")
        return false;
    const QString trash = canonical(QFileInfo(files).absolutePath());
    if (!homeTrash().isEmpty() && trash == canonical(homeTrash()))
        return true;
    const QString topdir = mountPointOf(files);
    return trash == canonical(topdir + QStringLiteral("/.Trash-") + uid()) ||
           trash == canonical(topdir + QStringLiteral("/.Trash/") + uid());
}

QStringList trashedFrom(const QString &trash, const QString &original, const QDateTime &since) {
    const QFileInfo file(original);
    const QString path = canonical(file.absolutePath()) + u'/' + file.fileName();
    const QString topdir = topdirOf(trash);
    QStringList found;
    const QDir info(trash + QStringLiteral("/info"));
    const QStringList records = info.entryList({u'*' + QLatin1String(kInfoSuffix)}, QDir::Files);
    for (const QString &name : records) {
        QFile record(info.filePath(name));
        if (!record.open(QIODevice::ReadOnly))
            continue;
        QByteArray pathValue;
        QDateTime deleted;
        for (const QByteArray &line : record.readAll().split('\n')) {
            if (line.startsWith("Path="))
                pathValue = line.mid(5).trimmed();
            else if (line.startsWith("DeletionDate="))
                deleted =
                    QDateTime::fromString(QString::fromLatin1(line.mid(13).trimmed()), Qt::ISODate);
        }
        // The record keeps whole seconds.
        if (deleted.isValid() && deleted.addSecs(1) >= since &&
            recordNames(pathValue, topdir, path))
            found.append(trash + QStringLiteral("/files/") + name.chopped(sizeof kInfoSuffix - 1));
    }
    return found;
}

bool isBackup(const QString &path) {
    static const QRegularExpression backup(QStringLiteral("^\\.pelmora-[0-9a-f]+\\.bak$"));
    return backup.match(QFileInfo(path).fileName()).hasMatch();
}

Status bringBack(const QString &kept, const QString &to) {
    if (Status moved = renameWithoutReplacing(kept, to); !moved)
        return moved;
    if (!isBackup(kept))
        QFile::remove(infoOf(kept));
    return {};
}

} // namespace pelmora
