#pragma once

// Pictures and photo files for tests: seeded photo-like JPEGs, plain pictures in any format Qt
// writes, and JPEGs with a given orientation, a false size, a cut or damaged data.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace testsupport {

// A JPEG with busy, seed-dependent content, so two photos never share their bytes.
QByteArray photoBytes(int seed, QSize size = QSize(64, 48), int quality = 90);

// A picture with a dark corner, so that scaling and turning show.
QImage picture(QSize size);
// picture(size) written to path in the format, making its folder; the test cannot go on without.
QString writePicture(const QString &path, QSize size, const char *format = "JPEG");
// count pictures named p0, p1, ... (zero-padded, so they list in order) in folder.
QStringList writeNumbered(const QString &folder, int count, QSize size);

// A photo-like picture: smooth gradients with some texture, no flat areas.
QImage gradientPicture(QSize size);
QImage flatPicture(QSize size, QColor color);
// A diagonal gradient over the top half, on white (or transparent, with alpha).
QImage halfGradient(QSize size, bool alpha = false);

// The image as the bytes of a file in the format; empty when Qt has no writer for it.
QByteArray encode(const QImage &image, const char *format, int quality = 95);
// A JPEG written by Qt, halfGradient(size), colour or grey.
QByteArray qtJpeg(QSize size, bool grey = false);

int dotsPerMeter(int dpi);

// The JPEG with an EXIF segment whose orientation tag is the given value (1..8).
QByteArray withExifOrientation(const QByteArray &jpeg, int orientation);
// The JPEG with its frame header declaring another size (the data stays as it is).
QByteArray withDeclaredSize(const QByteArray &jpeg, QSize size);
// The JPEG cut off in the middle of its picture data.
QByteArray truncatedJpeg(const QByteArray &jpeg);
// The JPEG with bytes of its entropy-coded data inverted, markers and stuffing left alone.
QByteArray corruptJpeg(QByteArray jpeg);

// The picture in the file, upright, as RGB32.
QImage readImage(const QString &path);
// Whether the file is a JPEG written to its end (start and end of image markers) that decodes
// to the given size; an empty size accepts any.
bool isCompleteJpeg(const QString &path, QSize size = QSize());

int colorDistance(QRgb a, QRgb b);

} // namespace testsupport
