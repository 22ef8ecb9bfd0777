#include "jpegwriter.h"

#include "picture/pictureencoder.h"

#include <QBuffer>
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
        return failure(encodingFailure(PictureFormat::Jpeg, writer.errorString()));
    return bytes;
}

} // namespace pelmora
