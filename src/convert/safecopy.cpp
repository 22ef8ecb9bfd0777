#include "safecopy.h"

#include "convert/replacingfile.h"

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
CopyResult copyBytes(const QString &source, const QString &destination) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {false, false,
                QCoreApplication::translate("pelmora", "cannot read the photo: %1")
                    .arg(in.errorString())};

    ReplacingFile out(destination);
    if (const std::optional<QString> failure =
            out.open(QFileInfo(source).permissions() | QFileDevice::WriteOwner))
        return {false, false, *failure};

    constexpr qint64 chunkSize = 1 << 20;
    QByteArray chunk;
    for (;;) {
        chunk = in.read(chunkSize);
        if (chunk.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd())
                return {false, false,
                        QCoreApplication::translate("pelmora", "cannot read the photo: %1")
                            .arg(in.errorString())};
            break;
        }
        if (out.device()->write(chunk) != chunk.size())
            return {false, false,
                    QCoreApplication::translate("pelmora", "cannot write %1: %2")
                        .arg(destination, out.device()->errorString())};
    }

    // A copy: the photo itself stays where it was, so the copy need not wait for the disk.
    if (const std::optional<QString> failure =
            out.commit(Durability::LeaveToSystem, QFileInfo(source).lastModified()))
        return {false, false, *failure};
    return {true, false, QString()};
}

} // namespace

CopyResult copyReplacing(const QString &source, const QString &destination) {
    if (isSameFile(source, destination))
        return {true, true, QString()};
    return copyBytes(source, destination);
}

CopyResult linkReplacing(const QString &source, const QString &destination) {
    if (isSameFile(source, destination))
        return {true, true, QString()};
    // Linked under a hidden name first, then renamed over the destination, as a copy would be.
    const QFileInfo target(destination);
    const QString temporary =
        target.absolutePath() + QStringLiteral("/.") + target.fileName() +
        QStringLiteral(".%1.link")
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    std::error_code error;
    std::filesystem::create_hard_link(nativePath(source), nativePath(temporary), error);
    if (error)
        return {false, false, QString::fromStdString(error.message())};
    std::filesystem::rename(nativePath(temporary), nativePath(destination), error);
    if (error) {
        QFile::remove(temporary);
        return {false, false, QString::fromStdString(error.message())};
    }
    return {true, false, QString()};
}

CopyResult unlinkFromSource(const QString &source, const QString &destination) {
    return copyBytes(source, destination);
}

} // namespace pelmora
