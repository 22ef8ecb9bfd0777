#include "replacingfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace pelmora {

namespace {

std::filesystem::path nativePath(const QString &path) {
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

ReplacingFile::ReplacingFile(QString destination)
    : m_destination(std::move(destination)) {}

ReplacingFile::~ReplacingFile() {
    if (!m_committed && m_file.isOpen()) {
        m_file.close();
        m_file.remove();
    }
}

Status ReplacingFile::open(std::optional<QFileDevice::Permissions> permissions) {
    const QFileInfo target(m_destination);
    const QFileDevice::Permissions usual =
        target.exists() ? target.permissions()
                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                              QFileDevice::ReadOther | QFileDevice::WriteOther; // less the umask
    // A hidden name in the same folder: the rename stays within one file system.
    for (int attempt = 0; attempt < 16; ++attempt) {
        m_file.setFileName(
            target.absolutePath() + QStringLiteral("/.") + target.fileName() +
            QStringLiteral(".%1.part")
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly, usual)) {
            if (permissions && !m_file.setPermissions(*permissions))
                break;
            return {};
        }
        if (!QFileInfo::exists(m_file.fileName()))
            break; // not a clash of names: retrying will not help
    }
    return failure(QCoreApplication::translate("pelmora", "cannot write in %1: %2")
                       .arg(target.absolutePath(), m_file.errorString()));
}

Status ReplacingFile::commit(Durability durability, const QDateTime &modified) {
    if (!m_file.flush())
        return failure(QCoreApplication::translate("pelmora", "cannot write %1: %2")
                           .arg(m_destination, m_file.errorString()));
    if (modified.isValid() && !m_file.setFileTime(modified, QFileDevice::FileModificationTime))
        return failure(QCoreApplication::translate("pelmora", "cannot write %1: %2")
                           .arg(m_destination, m_file.errorString()));
#ifdef Q_OS_UNIX
    if (durability == Durability::FlushToDisk && ::fdatasync(m_file.handle()) != 0)
        return failure(QCoreApplication::translate("pelmora", "cannot write %1 to the disk")
                           .arg(m_destination));
#else
    Q_UNUSED(durability);
#endif
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        return failure(QCoreApplication::translate("pelmora", "cannot write %1: %2")
                           .arg(m_destination, m_file.errorString()));

    std::error_code error;
    std::filesystem::rename(nativePath(m_file.fileName()), nativePath(m_destination), error);
    if (error) {
        m_file.remove();
        return failure(QCoreApplication::translate("pelmora", "cannot replace %1: %2")
                           .arg(m_destination, QString::fromStdString(error.message())));
    }
    m_committed = true;
    return {};
}

} // namespace pelmora
