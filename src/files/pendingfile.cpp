#include "pendingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmora {

namespace {

constexpr char kPrefix[] = ".pelmora-";
constexpr char kSuffix[] = ".tmp";

QByteArray native(const QString &path) {
    return QFile::encodeName(path);
}

mode_t modeOf(QFileDevice::Permissions p) {
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH}};
    for (const auto &[permission, bit] : bits) {
        if (p & permission)
            mode |= bit;
    }
    return mode;
}

QString taken(const QString &path) {
    return QCoreApplication::translate("pelmora",
                                       "cannot write %1: a file of that name already exists")
        .arg(path);
}

// Gives a file a second path without ever replacing one: 0, or why not (EEXIST: taken).
int renameNoReplace(const QByteArray &from, const QByteArray &to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system that cannot refuse to replace when renaming: a second name, which is never
    // given over a taken one, then the first name goes.
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    ::unlink(from.constData());
    return 0;
}

} // namespace

QString temporaryNameFor(const QString &destination) {
    return QFileInfo(destination).absolutePath() + u'/' + QLatin1String(kPrefix) +
           QString::number(QRandomGenerator::global()->generate(), 16) + QLatin1String(kSuffix);
}

bool isTemporaryName(const QString &path) {
    static const QRegularExpression temporary(QStringLiteral("^\\.pelmora-[0-9a-f]+\\.tmp$"));
    return temporary.match(QFileInfo(path).fileName()).hasMatch();
}

PendingFile::PendingFile(QString destination)
    : m_destination(std::move(destination)) {}

PendingFile::~PendingFile() {
    if (m_fd < 0)
        return;
    ::unlink(native(m_temporary).constData());
    ::close(m_fd);
}

Status PendingFile::failed(const QString &what, int error) {
    return failure(QCoreApplication::translate("pelmora", "cannot write %1: %2")
                       .arg(what, qt_error_string(error)));
}

Status PendingFile::open(const QString &temporary,
                         std::optional<QFileDevice::Permissions> permissions) {
    m_fd = ::open(native(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                  0666); // less the umask
    if (m_fd < 0)
        return failure(QCoreApplication::translate("pelmora", "cannot write in %1: %2")
                           .arg(QFileInfo(temporary).absolutePath(), qt_error_string(errno)));
    m_temporary = temporary;
    ::flock(m_fd, LOCK_EX); // released when this process ends, however it ends
    if (permissions && ::fchmod(m_fd, modeOf(*permissions)) != 0)
        return failed(m_destination, errno);
    return {};
}

Status PendingFile::write(const QByteArray &bytes) {
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return failed(m_destination, errno);
        }
        data += written;
        left -= written;
    }
    return {};
}

Status PendingFile::setModified(const QDateTime &time) {
    const qint64 ms = time.toMSecsSinceEpoch();
    const timespec times[2] = {{0, UTIME_OMIT}, {ms / 1000, (ms % 1000) * 1000000}};
    if (::futimens(m_fd, times) != 0)
        return failed(m_destination, errno);
    return {};
}

Status PendingFile::flush() {
    if (::fdatasync(m_fd) != 0)
        return failed(m_destination, errno);
    return {};
}

Status PendingFile::publish() {
    if (const int error = renameNoReplace(native(m_temporary), native(m_destination)); error != 0)
        return error == EEXIST ? failure(taken(m_destination)) : failed(m_destination, error);
    ::close(m_fd);
    m_fd = -1;
    return {};
}

Status PendingFile::moveTo(const QString &path) {
    if (const int error = renameNoReplace(native(m_temporary), native(path)); error != 0)
        return failed(path, error);
    m_temporary = path;
    return {};
}

Result<bool> PendingFile::exchange() {
    if (::renameat2(AT_FDCWD, native(m_temporary).constData(), AT_FDCWD,
                    native(m_destination).constData(), RENAME_EXCHANGE) != 0) {
        if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)
            return false;
        return failure(failed(m_destination, errno).reason());
    }
    // The name it had holds the other file now, which is not this object's to remove.
    ::close(m_fd);
    m_fd = -1;
    return true;
}

bool removeStaleTemporaryFile(const QString &path) {
    const QByteArray name = native(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno == ENOENT;
    const bool stale = ::flock(fd, LOCK_EX | LOCK_NB) == 0; // nobody writes it any more
    const bool removed = stale && ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

void removeStaleTemporaryFiles(const QString &folder) {
    const QStringList names =
        QDir(folder).entryList({QLatin1String(kPrefix) + u'*' + QLatin1String(kSuffix)},
                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        removeStaleTemporaryFile(folder + u'/' + name);
}

Status renameWithoutReplacing(const QString &from, const QString &to) {
    const int error = renameNoReplace(native(from), native(to));
    if (error == 0)
        return {};
    const QString a = QFileInfo(from).fileName();
    const QString b = QFileInfo(to).fileName();
    if (error == EEXIST)
        return failure(QCoreApplication::translate(
                           "pelmora", "cannot rename %1 to %2: a file of that name already exists")
                           .arg(a, b));
    return failure(QCoreApplication::translate("pelmora", "cannot rename %1 to %2: %3")
                       .arg(a, b, qt_error_string(error)));
}

Status flushFolder(const QString &folder) {
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        return failure(QCoreApplication::translate("pelmora", "cannot write %1 to the disk: %2")
                           .arg(folder, qt_error_string(error)));
    }
    ::close(fd);
    return {};
}

} // namespace pelmora
