#include "safecopy.h"

#include "convert/replacingfile.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace pelmora {

bool isSameFile(const QString &a, const QString &b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(std::filesystem::path(a.toStdU16String()),
                                                  std::filesystem::path(b.toStdU16String()), error);
    return !error && same;
}

CopyResult copyReplacing(const QString &source, const QString &destination) {
    if (isSameFile(source, destination))
        return {true, true, QString()};

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {false, false, QStringLiteral("cannot read the photo: %1").arg(in.errorString())};

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
                        QStringLiteral("cannot read the photo: %1").arg(in.errorString())};
            break;
        }
        if (out.device()->write(chunk) != chunk.size())
            return {false, false,
                    QStringLiteral("cannot write %1: %2")
                        .arg(destination, out.device()->errorString())};
    }

    // A copy: the photo itself stays where it was, so the copy need not wait for the disk.
    if (const std::optional<QString> failure =
            out.commit(Durability::LeaveToSystem, QFileInfo(source).lastModified()))
        return {false, false, *failure};
    return {true, false, QString()};
}

} // namespace pelmora
