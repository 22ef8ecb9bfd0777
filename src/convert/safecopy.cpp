#include "safecopy.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return {false, false,
                QStringLiteral("cannot write %1: %2").arg(destination, out.errorString())};

    constexpr qint64 chunkSize = 1 << 20;
    QByteArray chunk;
    for (;;) {
        chunk = in.read(chunkSize);
        if (chunk.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd()) {
                out.cancelWriting();
                return {false, false,
                        QStringLiteral("cannot read the photo: %1").arg(in.errorString())};
            }
            break;
        }
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return {false, false,
                    QStringLiteral("cannot write %1: %2").arg(destination, out.errorString())};
        }
    }

    // The modification time is set on the finished bytes: a later flush would overwrite it.
    if (!out.flush())
        return {false, false,
                QStringLiteral("cannot write %1: %2").arg(destination, out.errorString())};
    const QFileInfo sourceInfo(source);
    out.setPermissions(sourceInfo.permissions() | QFileDevice::WriteOwner);
    out.setFileTime(sourceInfo.lastModified(), QFileDevice::FileModificationTime);
    if (!out.commit())
        return {false, false,
                QStringLiteral("cannot write %1: %2").arg(destination, out.errorString())};
    return {true, false, QString()};
}

} // namespace pelmora
