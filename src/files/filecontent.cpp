#include "filecontent.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

namespace pelmora {

namespace {

// XXH3-128 rather than a cryptographic hash: the file thread hashes every photo it sets aside, and
// Qt's SHA-1 (360 MB/s here) would add 11 ms to each 4 MB photo, XXH3 (11 GB/s) well under one.
QByteArray hex(const XXH128_hash_t &hash) {
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, hash);
    return QByteArray(reinterpret_cast<const char *>(canonical.digest), sizeof canonical.digest)
        .toHex();
}

FileIdentity identityOf(const struct stat &st) {
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

QString cannotRead(const QString &path, int error) {
    return QCoreApplication::translate("pelmora", "cannot read %1: %2")
        .arg(path, qt_error_string(error));
}

} // namespace

FileDigest digestOf(const QByteArray &bytes) {
    return {bytes.size(), hex(XXH3_128bits(bytes.constData(), size_t(bytes.size())))};
}

Digester::Digester()
    : m_state(XXH3_createState()) {
    XXH3_128bits_reset(m_state);
}

Digester::~Digester() {
    XXH3_freeState(m_state);
}

void Digester::add(const char *bytes, qint64 size) {
    XXH3_128bits_update(m_state, bytes, size_t(size));
    m_size += size;
}

FileDigest Digester::digest() const {
    return {m_size, hex(XXH3_128bits_digest(m_state))};
}

Result<FileDigest> digestOfFile(const QString &path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return failure(cannotRead(path, errno));
    if (S_ISLNK(st.st_mode)) {
        QByteArray target(st.st_size + 1, Qt::Uninitialized);
        const ssize_t length = ::readlink(native.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            return failure(cannotRead(path, errno));
        target.truncate(length);
        return digestOf(target);
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return failure(cannotRead(path, errno));
    Digester digester;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    int error = 0;
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), size_t(chunk.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = errno;
        if (got <= 0)
            break;
        digester.add(chunk.constData(), got);
    }
    ::close(fd);
    if (error != 0)
        return failure(cannotRead(path, error));
    return digester.digest();
}

FileIdentity identityOf(const QString &path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return identityOf(st);
}

bool isOnDisk(const QString &path) {
    const QFileInfo file(path);
    return file.exists() || file.isSymLink();
}

Failure photoNotRead(const QFile &file) {
    return failure(QCoreApplication::translate("pelmora", "cannot read the photo: %1")
                       .arg(file.errorString()));
}

Result<PhotoFile> PhotoFile::open(const QString &path) {
    PhotoFile photo;
    photo.m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (photo.m_fd < 0)
        return failure(QCoreApplication::translate("pelmora", "cannot read the photo: %1")
                           .arg(qt_error_string(errno)));
    struct stat st {};
    if (::fstat(photo.m_fd, &st) != 0)
        return failure(cannotRead(path, errno));
    photo.m_identity = identityOf(st);
    return photo;
}

PhotoFile::PhotoFile(PhotoFile &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_identity(other.m_identity) {}

PhotoFile::~PhotoFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

Result<PhotoBytes> PhotoFile::read() const {
    // Room for the size it had when opened and a byte more, to see its end in one read; a file
    // that grew meanwhile is read on to its end.
    QByteArray bytes(qsizetype(std::max<qint64>(m_identity.size, 0)) + 1, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
        if (have == bytes.size())
            bytes.resize(bytes.size() + std::max<qsizetype>(bytes.size(), 1 << 20));
        const ssize_t got = ::pread(m_fd, bytes.data() + have, size_t(bytes.size() - have), have);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failure(QCoreApplication::translate("pelmora", "cannot read the photo: %1")
                               .arg(qt_error_string(errno)));
        if (got == 0)
            break;
        have += got;
    }
    bytes.truncate(have);
    return PhotoBytes{std::move(bytes), m_identity};
}

Result<PhotoBytes> readPhoto(const QString &path) {
    const Result<PhotoFile> photo = PhotoFile::open(path);
    if (!photo)
        return failure(photo.reason());
    return photo->read();
}

} // namespace pelmora
