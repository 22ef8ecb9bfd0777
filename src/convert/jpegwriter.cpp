#include "jpegwriter.h"

#include <QCoreApplication>
#include <QImageWriter>

namespace pelmora {

std::optional<QString> writeJpegFile(const QImage &image, const QString &path, int quality,
                                     Durability durability) {
    ReplacingFile file(path);
    if (std::optional<QString> failure = file.open())
        return failure;
    QImageWriter writer(file.device(), "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    if (!writer.write(image)) {
        // A full disk shows as a failed write of the file; the encoder only knows it stopped.
        if (file.device()->error() != QFileDevice::NoError)
            return QCoreApplication::translate("pelmora", "cannot write %1: %2")
                .arg(path, file.device()->errorString());
        return QCoreApplication::translate("pelmora", "cannot encode %1 as JPEG: %2")
            .arg(path, writer.errorString());
    }
    return file.commit(durability);
}

} // namespace pelmora
