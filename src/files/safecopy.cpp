#include "safecopy.h"

#include "files/replacingfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <system_error>

namespace pelmora {

namespace {

std::filesystem::path nativePath(const QString &path) {
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

bool isSameFile(const QString &a, const QString &b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(nativePath(a), nativePath(b), error);
    return !error && same;
}

namespace {

// The bytes of source into a new file that replaces destination, whatever destination is.
Status copyBytes(const QString &source, const QString &destination) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failure(QCoreApplication::translate("pelmora", "cannot read the photo: %1")
                           .arg(in.errorString()));

    ReplacingFile out(destination);
    if (Status opened = out.open(QFileInfo(source).permissions() | QFileDevice::WriteOwner);
        !opened)
        return opened;

    constexpr qint64 chunkSize = 1 << 20;
    QByteArray chunk;
    for (;;) {
        chunk = in.read(chunkSize);
        if (chunk.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd())
                return failure(QCoreApplication::translate("pelmora", "cannot read the photo: %1")
                                   .arg(in.errorString()));
            break;
        }
        if (out.device()->write(chunk) != chunk.size())
            return failure(QCoreApplication::translate("pelmora", "cannot write %1: %2")
                               .arg(destination, out.device()->errorString()));
    }

    // A copy: the photo itself stays where it was, so the copy need not wait for the disk.
    return out.commit(Durability::LeaveToSystem, QFileInfo(source).lastModified());
}

} // namespace

Result<Copied> copyReplacing(const QString &source, const QString &destination) {
    if (isSameFile(source, destination))
        return Copied::SameFile;
    if (Status copied = copyBytes(source, destination); !copied)
        return failure(copied.reason());
    return Copied::Written;
}

Result<Copied> linkReplacing(const QString &source, const QString &destination) {
    if (isSameFile(source, destination))
        return Copied::SameFile;
    // Linked under a hidden name first, then renamed over the destination, as a copy would be.
    const QFileInfo target(destination);
    const QString temporary =
        target.absolutePath() + QStringLiteral("/.") + target.fileName() +
        QStringLiteral(".%1.link")
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    std::error_code error;
    std::filesystem::create_hard_link(nativePath(source), nativePath(temporary), error);
    if (error)
        return failure(QString::fromStdString(error.message()));
    std::filesystem::rename(nativePath(temporary), nativePath(destination), error);
    if (error) {
        QFile::remove(temporary);
        return failure(QString::fromStdString(error.message()));
    }
    return Copied::Written;
}

Status unlinkFromSource(const QString &source, const QString &destination) {
    return copyBytes(source, destination);
}

} // namespace pelmora
