#pragma once

// Picture files built byte by byte, for the headers whose layout is the point of a test.

#include <QByteArray>
#include <QList>

namespace testsupport {

quint32 crc32(const QByteArray &bytes);

// One PNG chunk: length, type, payload and CRC.
QByteArray pngChunk(const char *type, const QByteArray &payload);
// A PNG signature and IHDR chunk for width x height RGB pixels, nothing after it.
QByteArray pngHeader(quint32 width, quint32 height);
// pngHeader with a CgBI chunk before IHDR, as an iPhone-optimised PNG starts.
QByteArray cgbiPngHeader(quint32 width, quint32 height);
// A well-formed PNG that declares width x height RGB pixels and carries a few bytes of data.
QByteArray hugePng(quint32 width = 65535, quint32 height = 65535);
// A PNG of width x height RGB pixels of one colour that decodes whole (a few hundred kilobytes).
QByteArray flatPng(int width, int height);

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
// A GIF header with the given logical screen size and version ("87a" or "89a").
QByteArray gifHeader(quint16 width, quint16 height, const char *version = "89a");
// A RIFF WebP file start with a VP8X chunk for a canvas of w x h.
QByteArray webpVp8x(quint32 width, quint32 height);
// A minimal TIFF: header and IFD0 with ImageWidth and ImageLength of the given type
// (3 SHORT, 4 LONG), the IFD placed at ifdOffset (at least 8).
QByteArray tiffHeader(bool bigEndian, quint32 width, quint32 height, int type,
                      quint32 ifdOffset = 8);

// A DNG as cameras write one: IFD0 an 8 x 8 RGB preview (NewSubfileType 1) that Qt's TIFF reader
// decodes, with DNGVersion and the orientation; one SubIFD the full-resolution sensor data
// (NewSubfileType 0, CFA) of width x height, its pixels cut short.
QByteArray dngFile(quint32 width, quint32 height, int orientation = 1);
// A NEF as Nikon's cameras lay one out: the same with a 16 x 12 thumbnail in IFD0, Make
// "NIKON CORPORATION" and no DNGVersion.
QByteArray nefLikeFile(quint32 width, quint32 height);

} // namespace testsupport
