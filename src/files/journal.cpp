#include "journal.h"

#include "files/pendingfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <unistd.h>

namespace pelmora {

namespace {

constexpr char kSuffix[] = ".jsonl";

QByteArray native(const QString &path) {
    return QFile::encodeName(path);
}

QString cannotWrite(const QString &path, int error) {
    return QCoreApplication::translate("pelmora", "cannot write the undo journal %1: %2")
        .arg(path, qt_error_string(error));
}

QString cannotReadHistory(const QString &folder, int error) {
    return QCoreApplication::translate("pelmora", "cannot read the undo history %1: %2")
        .arg(folder, qt_error_string(error));
}

} // namespace

QString journalFolder(const QString &driver) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/pelmora/undo/") + driver;
}

JournalWriter::JournalWriter(QString folder, JournalHeader header)
    : m_folder(std::move(folder))
    , m_header(std::move(header)) {}

JournalWriter::JournalWriter(JournalWriter &&other) noexcept
    : m_folder(std::move(other.m_folder))
    , m_header(std::move(other.m_header))
    , m_path(std::move(other.m_path))
    , m_fd(std::exchange(other.m_fd, -1))
    , m_lastId(other.m_lastId) {}

JournalWriter::~JournalWriter() {
    if (m_fd >= 0)
        ::close(m_fd);
}

Result<JournalWriter> JournalWriter::resume(const QString &path) {
    JournalWriter journal;
    journal.m_path = path;
    journal.m_fd = ::open(native(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (journal.m_fd < 0)
        return failure(cannotWrite(path, errno));
    if (::flock(journal.m_fd, LOCK_EX | LOCK_NB) != 0)
        return failure(QCoreApplication::translate(
            "pelmora", "the conversion is still running, or being undone; try again once it has "
                       "finished"));
    return journal;
}

Status JournalWriter::make() {
    if (!QDir().mkpath(m_folder))
        return failure(cannotWrite(m_folder, errno));
    // Named by when the conversion started, so that the names sort oldest first.
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmsszzz"));
    for (int attempt = 1; attempt <= 100; ++attempt) {
        m_path =
            m_folder + u'/' + stamp + u'-' + QString::number(QCoreApplication::applicationPid()) +
            (attempt > 1 ? QStringLiteral("-%1").arg(attempt) : QString()) + QLatin1String(kSuffix);
        m_fd = ::open(native(m_path).constData(),
                      O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (m_fd >= 0 || errno != EEXIST)
            break;
    }
    if (m_fd < 0)
        return failure(cannotWrite(m_path, errno));
    ::flock(m_fd, LOCK_EX); // held until this process closes it, however it ends
    if (Status header = write(encodeHeader(m_header), Durability::Written); !header)
        return header;
    // The journal's own name reaches the disk with its first line, before any step it protects.
    if (::fdatasync(m_fd) != 0)
        return failure(cannotWrite(m_path, errno));
    if (Status named = flushFolder(m_folder); !named)
        return named;
    return {};
}

Status JournalWriter::write(const QJsonObject &line, Durability durability) {
    const QByteArray bytes = QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
    // One write, so that a crash never leaves half of an earlier line.
    const ssize_t written = ::write(m_fd, bytes.constData(), size_t(bytes.size()));
    if (written != bytes.size())
        return failure(cannotWrite(m_path, written < 0 ? errno : ENOSPC));
    if (durability == Durability::OnDisk)
        return flush();
    return {};
}

Result<qint64> JournalWriter::intend(const Step &step, Durability durability) {
    if (m_fd < 0) {
        if (Status made = make(); !made)
            return failure(made.reason());
    }
    const qint64 id = m_lastId + 1;
    if (Status written = write(encodeEntry({id, step}), durability); !written)
        return failure(written.reason());
    m_lastId = id;
    return id;
}

Status JournalWriter::append(const Step &step, Durability durability) {
    if (m_fd < 0) {
        if (Status made = make(); !made)
            return made;
    }
    return write(encodeEntry({0, step}), durability);
}

Status JournalWriter::flush() {
    if (m_fd >= 0 && ::fdatasync(m_fd) != 0)
        return failure(cannotWrite(m_path, errno));
    return {};
}

void JournalWriter::remove() {
    if (m_fd < 0)
        return;
    ::unlink(native(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

Result<Journal> readJournal(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QCoreApplication::translate("pelmora", "cannot read the undo journal %1: %2")
                           .arg(path, file.errorString()));
    Journal journal;
    journal.path = path;
    const QList<QByteArray> lines = file.readAll().split('\n');
    std::optional<JournalDecoder> decoder;
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        const QJsonDocument document = QJsonDocument::fromJson(line);
        if (!decoder) {
            const std::optional<JournalHeader> header =
                document.isObject() ? decodeHeader(document.object()) : std::nullopt;
            if (!header)
                return failure(QCoreApplication::translate(
                                   "pelmora", "cannot read the undo journal %1: it is not a "
                                              "journal of this version of Pelmora")
                                   .arg(path));
            journal.header = *header;
            decoder.emplace(header->version);
            continue;
        }
        std::optional<JournalEntry> entry =
            document.isObject() ? decoder->decode(document.object()) : std::nullopt;
        if (entry)
            journal.entries.append(std::move(*entry));
        else
            ++journal.unreadable;
    }
    return journal; // an empty one when its conversion died as it made it
}

Result<QStringList> journalsNewestFirst(const QString &folder) {
    // Read here rather than through QDir, which lists a folder it cannot read as an empty one.
    DIR *dir = ::opendir(native(folder).constData());
    if (!dir && errno == ENOENT)
        return QStringList(); // no conversion made yet
    if (!dir)
        return failure(cannotReadHistory(folder, errno));
    QStringList names;
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name.endsWith(QLatin1String(kSuffix)) && !name.startsWith(u'.'))
            names.append(name);
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0)
        return failure(cannotReadHistory(folder, error));
    // Named by when their conversions started: the newest sorts last.
    std::sort(names.begin(), names.end(), std::greater<>());
    for (QString &name : names)
        name = folder + u'/' + name;
    return names;
}

bool isJournalInUse(const QString &path) {
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd); // also lets the lock go
    return !free;
}

} // namespace pelmora
