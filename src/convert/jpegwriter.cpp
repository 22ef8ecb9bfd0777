#include "jpegwriter.h"

#include <QImageWriter>
#include <QSaveFile>

namespace pelmora {

std::optional<QString> writeJpegFile(const QImage &image, const QString &path, int quality) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    if (!writer.write(image)) {
        file.cancelWriting();
        return QStringLiteral("cannot encode %1 as JPEG: %2").arg(path, writer.errorString());
    }
    if (!file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

} // namespace pelmora
