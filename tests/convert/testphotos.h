#pragma once

// Real picture files for the resize tests, written into a test's temporary folder.

#include "convert/jpegblockpadding.h"
#include "testfiles.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

namespace testphotos {

inline QByteArray readBytes(const QString &path) {
    return testfiles::readFile(path);
}

inline bool writeBytes(const QString &path, const QByteArray &bytes) {
    return testfiles::writeFile(path, bytes);
}

// Writes bytes into a test's folder under name; the test cannot go on without it.
inline QString place(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    if (!writeBytes(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QByteArray encode(const QImage &image, const char *format, int quality = 95) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

inline int dotsPerMeter(int dpi) {
    return qRound(dpi / 0.0254);
}

// A photo-like picture: smooth gradients with some texture, no flat areas.
inline QImage gradientPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(40 + 160 * x / size.width(), 60 + 150 * y / size.height(),
                           (x * 7 + y * 3) % 64 + 100);
    }
    return image;
}

inline QImage flatPicture(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// The JPEG with an EXIF block whose Orientation tag is the given value (1..8).
inline QByteArray withExifOrientation(const QByteArray &jpeg, int orientation) {
    QByteArray tiff("MM\0\x2A\0\0\0\x08", 8);          // big-endian header, IFD at 8
    tiff += QByteArray("\0\x01", 2);                   // one entry
    tiff += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8); // Orientation, SHORT, count 1
    tiff += char(0) + QByteArray(1, char(orientation)) + QByteArray(2, '\0');
    tiff += QByteArray(4, '\0'); // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const int length = payload.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    segment += payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// The JPEG with its frame header declaring another size (the data stays as it is).
inline QByteArray withDeclaredSize(const QByteArray &jpeg, QSize size) {
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

inline QImage readImage(const QString &path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

inline int colorDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace testphotos
