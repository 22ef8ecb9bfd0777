#pragma once

// Builders for the picture files the header reader's tests read: bytes written by hand for the
// headers whose layout is the point, and files written by Qt or by the command-line tools that
// scripts/install-deps installs (ImageMagick, libjpeg-turbo's cjpeg, exiftool).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace testimages {

// A JPEG written by Qt (QImageWriter "jpeg"), w x h, colour or grey.
QByteArray qtJpeg(int width, int height, bool grey = false);
// Any picture written by Qt through QImageWriter with the given format ("png", "bmp", "webp"...);
// empty when Qt has no writer for it.
QByteArray qtImage(const char *format, int width, int height, bool alpha = false);

// A JPEG cut into its segments: SOI, then every marker segment before the first SOS (each
// with its marker and length bytes), then the rest from SOS on.
struct JpegParts {
    QList<QByteArray> segments; // segments[0] is FF D8
    QByteArray scan;
    QByteArray join() const;
    // Index of the first segment with this marker code, or -1.
    int find(unsigned char code) const;
};
JpegParts splitJpeg(const QByteArray &jpeg);

// One marker segment: FF code, the 16-bit length, the body.
QByteArray segment(unsigned char code, const QByteArray &body);

// An APP1 EXIF segment of exactly totalLength bytes (marker included, at most 65537), whose
// IFD0 carries an orientation tag (none when orientation is 0), in the given byte order. Its
// padding holds a false frame header FF C0 ... with the size 4660 x 4660, which a raw byte
// scan would take for the frame.
QByteArray exifSegment(int orientation, bool bigEndian, int totalLength = 0);

// The first bytes of a BMP file: file header and an information header of headerSize bytes
// with the width and height written at 18 and 22 (32-bit) or 18 and 20 (16-bit, size 12).
QByteArray bmpHeader(quint32 headerSize, qint32 width, qint32 height);
// A PNG signature and IHDR chunk (with its CRC), nothing after it.
QByteArray pngHeader(quint32 width, quint32 height);
// A GIF header with the given logical screen size and version ("87a" or "89a").
QByteArray gifHeader(quint16 width, quint16 height, const char *version = "89a");
// A RIFF WebP file start with a VP8X chunk for a canvas of w x h.
QByteArray webpVp8x(quint32 width, quint32 height);
// A minimal TIFF: header and IFD0 with ImageWidth and ImageLength of the given type
// (3 SHORT, 4 LONG), the IFD placed at ifdOffset (at least 8).
QByteArray tiffHeader(bool bigEndian, quint32 width, quint32 height, int type,
                      quint32 ifdOffset = 8);

// Writes bytes to a file; false on failure.
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// Runs a program to its end (at most two minutes); true when it exits with 0.
bool run(const QString &program, const QStringList &arguments, QByteArray *out = nullptr);
// Whether a program is on the PATH.
bool have(const QString &program);

} // namespace testimages
