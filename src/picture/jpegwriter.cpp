#include "jpegwriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>

namespace pelmora {

Result<QByteArray> encodeJpeg(const QImage &image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(qint64(image.width()) * image.height() <= kLargestOptimizedJpegPixels);
    if (!writer.write(image))
        return failure(
            QCoreApplication::translate("pelmora", "cannot encode the picture as JPEG: %1")
                .arg(writer.errorString()));
    return bytes;
}

} // namespace pelmora
