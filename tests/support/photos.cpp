#include "photos.h"

#include "builders.h"
#include "files.h"
#include "picture/jpegblockpadding.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace testsupport {

QByteArray photoBytes(int seed, QSize size, int quality) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 3 + seed * 37) % 256, (y * 5 + seed * 11) % 256,
                           ((x ^ y) + seed * 7) % 256);
    }
    return encode(image, "JPEG", quality);
}

QImage picture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(120, 160, 200));
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 0), size / 4), Qt::black);
    p.end();
    return image;
}

QString writePicture(const QString &path, QSize size, const char *format) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!picture(size).save(path, format, 90))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QStringList writeNumbered(const QString &folder, int count, QSize size) {
    const int digits = static_cast<int>(QString::number(count - 1).size());
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths.append(writePicture(
            folder + QStringLiteral("/p%1.jpg").arg(i, digits, 10, QLatin1Char('0')), size));
    return paths;
}

QImage gradientPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(40 + 160 * x / size.width(), 60 + 150 * y / size.height(),
                           (x * 7 + y * 3) % 64 + 100);
    }
    return image;
}

QImage flatPicture(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage halfGradient(QSize size, bool alpha) {
    QImage image(size, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(alpha ? QColor(0, 0, 0, 0) : QColor(Qt::white));
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(200, 30, 30, alpha ? 128 : 255));
    gradient.setColorAt(1, QColor(30, 30, 200));
    painter.fillRect(0, 0, size.width(), size.height() / 2 + 1, gradient);
    return image;
}

QByteArray encode(const QImage &image, const char *format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.canWrite() || !writer.write(image))
        return {};
    return bytes;
}

QByteArray qtJpeg(QSize size, bool grey) {
    QImage image = halfGradient(size);
    if (grey)
        image = image.convertToFormat(QImage::Format_Grayscale8);
    return encode(image, "jpeg", 85);
}

int dotsPerMeter(int dpi) {
    return qRound(dpi / 0.0254);
}

QByteArray withExifOrientation(const QByteArray &jpeg, int orientation) {
    return jpeg.left(2) + exifSegment(orientation, true) + jpeg.mid(2);
}

QByteArray withDeclaredSize(const QByteArray &jpeg, QSize size) {
    const std::optional<pelmora::JpegFrame> frame = pelmora::readJpegFrame(jpeg);
    if (!frame)
        return {};
    QByteArray out = jpeg;
    out[frame->sizeOffset] = char(size.height() >> 8);
    out[frame->sizeOffset + 1] = char(size.height() & 0xFF);
    out[frame->sizeOffset + 2] = char(size.width() >> 8);
    out[frame->sizeOffset + 3] = char(size.width() & 0xFF);
    return out;
}

QByteArray truncatedJpeg(const QByteArray &jpeg) {
    return jpeg.left(jpeg.size() / 2);
}

QByteArray corruptJpeg(QByteArray jpeg) {
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    if (scan < 0)
        return {};
    const qsizetype data = scan + 2 + (uchar(jpeg[scan + 2]) << 8 | uchar(jpeg[scan + 3]));
    const qsizetype end = jpeg.size() - 2;
    for (qsizetype i = data + (end - data) / 4; i < end - (end - data) / 4; i += 5) {
        const uchar b = uchar(jpeg[i]);
        if (b != 0xFF && b != 0x00 && uchar(jpeg[i - 1]) != 0xFF)
            jpeg[i] = char(~b);
    }
    return jpeg;
}

QImage readImage(const QString &path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

bool isCompleteJpeg(const QString &path, QSize size) {
    const QByteArray bytes = readFile(path);
    if (!bytes.startsWith("\xFF\xD8") || !bytes.endsWith("\xFF\xD9"))
        return false;
    QImageReader reader(path);
    reader.setAutoTransform(false);
    if (reader.format() != "jpeg")
        return false;
    const QImage image = reader.read();
    return !image.isNull() && (size.isEmpty() || image.size() == size);
}

int colorDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace testsupport
