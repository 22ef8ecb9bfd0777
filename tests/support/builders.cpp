#include "builders.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QSize>
#include <algorithm>
#include <utility>

namespace testsupport {

namespace {

void putBe16(QByteArray &b, quint32 v) {
    b.append(char(v >> 8)).append(char(v));
}
void putBe32(QByteArray &b, quint32 v) {
    putBe16(b, v >> 16);
    putBe16(b, v & 0xFFFF);
}
void putLe16(QByteArray &b, quint32 v) {
    b.append(char(v)).append(char(v >> 8));
}
void putLe32(QByteArray &b, quint32 v) {
    putLe16(b, v & 0xFFFF);
    putLe16(b, v >> 16);
}

// In the byte order a TIFF structure declares.
void putU16(QByteArray &b, quint32 v, bool bigEndian) {
    bigEndian ? putBe16(b, v) : putLe16(b, v);
}
void putU32(QByteArray &b, quint32 v, bool bigEndian) {
    bigEndian ? putBe32(b, v) : putLe32(b, v);
}

// One entry of a little-endian TIFF directory: BYTE (1), ASCII (2), SHORT (3) or LONG (4) values.
struct TiffField {
    quint16 tag;
    quint16 type;
    QList<quint32> values; // for ASCII, the text's bytes
};

// A little-endian TIFF directory to be placed at offset `at`, with its values that do not fit an
// entry right after it.
QByteArray tiffDirectory(quint32 at, QList<TiffField> fields) {
    std::sort(fields.begin(), fields.end(),
              [](const TiffField &a, const TiffField &b) { return a.tag < b.tag; });
    const quint32 dataAt = at + 2 + quint32(fields.size()) * 12 + 4;
    QByteArray entries;
    QByteArray data;
    putLe16(entries, quint32(fields.size()));
    for (const TiffField &field : std::as_const(fields)) {
        QByteArray values;
        for (const quint32 value : field.values) {
            if (field.type == 3)
                putLe16(values, value);
            else if (field.type == 4)
                putLe32(values, value);
            else
                values.append(char(value));
        }
        if (field.type == 2)
            values.append('\0');
        putLe16(entries, field.tag);
        putLe16(entries, field.type);
        putLe32(entries, quint32(field.type == 2 ? values.size() : field.values.size()));
        if (values.size() <= 4) {
            entries.append(values.leftJustified(4, '\0'));
        } else {
            putLe32(entries, dataAt + quint32(data.size()));
            data.append(values);
            if (data.size() % 2)
                data.append('\0');
        }
    }
    putLe32(entries, 0); // no next directory
    return entries + data;
}

QList<quint32> asciiValues(const QByteArray &text) {
    QList<quint32> values;
    for (const char c : text)
        values.append(quint8(c));
    return values;
}

// A camera's TIFF-based RAW file: IFD0 a small RGB preview that Qt's TIFF reader decodes, one
// SubIFD the sensor's data (CFA) of width x height, its pixels cut short.
QByteArray cameraTiff(QSize preview, const QList<TiffField> &ifd0Extra, quint32 width,
                      quint32 height) {
    constexpr quint32 pixelsAt = 1024;
    constexpr quint32 sensorAt = 4096;
    constexpr quint32 sensorDataAt = 4608;
    QByteArray pixels;
    for (int y = 0; y < preview.height(); ++y) {
        for (int x = 0; x < preview.width(); ++x)
            pixels.append(char(x * 16)).append(char(y * 16)).append(char(128));
    }
    const quint32 w = quint32(preview.width());
    const quint32 h = quint32(preview.height());
    QList<TiffField> ifd0{{0xFE, 4, {1}},         {0x100, 3, {w}},
                          {0x101, 3, {h}},        {0x102, 3, {8, 8, 8}},
                          {0x103, 3, {1}},        {0x106, 3, {2}},
                          {0x111, 4, {pixelsAt}}, {0x115, 3, {3}},
                          {0x116, 3, {h}},        {0x117, 4, {quint32(pixels.size())}},
                          {0x11C, 3, {1}},        {0x14A, 4, {sensorAt}}};
    ifd0 += ifd0Extra;
    const QList<TiffField> sensor{{0xFE, 4, {0}},
                                  {0x100, 4, {width}},
                                  {0x101, 4, {height}},
                                  {0x102, 3, {16}},
                                  {0x103, 3, {1}},
                                  {0x106, 3, {32803}},
                                  {0x111, 4, {sensorDataAt}},
                                  {0x115, 3, {1}},
                                  {0x116, 4, {height}},
                                  {0x117, 4, {16}},
                                  {0x828D, 3, {2, 2}},
                                  {0x828E, 1, {0, 1, 1, 2}}};
    QByteArray file("II*\0", 4);
    putLe32(file, 8);
    const auto place = [&file](quint32 at, const QByteArray &bytes) {
        file = file.leftJustified(at, '\0') + bytes;
    };
    place(8, tiffDirectory(8, ifd0));
    place(pixelsAt, pixels);
    place(sensorAt, tiffDirectory(sensorAt, sensor));
    place(sensorDataAt, QByteArray(16, char(0x40)));
    return file;
}

} // namespace

QByteArray dngFile(quint32 width, quint32 height, int orientation) {
    return cameraTiff(QSize(8, 8),
                      {{0x10F, 2, asciiValues("Pelmora")},
                       {0x112, 3, {quint32(orientation)}},
                       {0xC612, 1, {1, 4, 0, 0}}},
                      width, height);
}

QByteArray nefLikeFile(quint32 width, quint32 height) {
    return cameraTiff(QSize(16, 12), {{0x10F, 2, asciiValues("NIKON CORPORATION")}}, width, height);
}

quint32 crc32(const QByteArray &bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const char *type, const QByteArray &payload) {
    QByteArray chunk;
    putBe32(chunk, quint32(payload.size()));
    const QByteArray typed = QByteArray(type, 4) + payload;
    chunk += typed;
    putBe32(chunk, crc32(typed));
    return chunk;
}

QByteArray hugePng(quint32 width, quint32 height) {
    QByteArray header;
    putBe32(header, width);
    putBe32(header, height);
    header.append(char(8)).append(char(2)).append(QByteArray(3, '\0')); // 8-bit RGB
    const QByteArray zlib = qCompress(QByteArray(64, '\0')).mid(4);     // qCompress adds a length
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", zlib) +
           pngChunk("IEND", {});
}

QByteArray flatPng(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB888);
    picture.fill(QColor(90, 120, 150));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(picture);
    return bytes;
}

QByteArray JpegParts::join() const {
    QByteArray all;
    for (const QByteArray &s : segments)
        all += s;
    return all + scan;
}

int JpegParts::find(unsigned char code) const {
    for (int i = 0; i < segments.size(); ++i) {
        if (segments[i].size() >= 2 && quint8(segments[i][1]) == code)
            return i;
    }
    return -1;
}

JpegParts splitJpeg(const QByteArray &jpeg) {
    JpegParts parts;
    if (jpeg.size() < 4)
        return parts;
    parts.segments << jpeg.left(2);
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size()) {
        const auto code = quint8(jpeg[pos + 1]);
        if (code == 0xDA)
            break;
        const qsizetype length = quint8(jpeg[pos + 2]) * 256 + quint8(jpeg[pos + 3]);
        parts.segments << jpeg.mid(pos, 2 + length);
        pos += 2 + length;
    }
    parts.scan = jpeg.mid(pos);
    return parts;
}

QByteArray segment(unsigned char code, const QByteArray &body) {
    QByteArray s;
    s.append(char(0xFF)).append(char(code));
    putBe16(s, quint32(body.size() + 2));
    return s + body;
}

QByteArray exifSegment(int orientation, bool bigEndian, int totalLength) {
    const auto put16 = [bigEndian](QByteArray &b, quint32 v) { putU16(b, v, bigEndian); };
    const auto put32 = [bigEndian](QByteArray &b, quint32 v) { putU32(b, v, bigEndian); };
    QByteArray tiff(bigEndian ? "MM" : "II");
    put16(tiff, 42);
    put32(tiff, 8);
    const int entries = orientation ? 2 : 1;
    put16(tiff, entries);
    // ImageDescription, ASCII, 4 bytes held in the entry itself
    put16(tiff, 0x010E);
    put16(tiff, 2);
    put32(tiff, 4);
    tiff.append("abc", 4);
    if (orientation) {
        put16(tiff, 0x0112); // Orientation, SHORT, 1 value
        put16(tiff, 3);
        put32(tiff, 1);
        put16(tiff, quint32(orientation));
        put16(tiff, 0);
    }
    put32(tiff, 0); // no IFD1
    // A false frame header in the padding: FF C0, length 17, precision 8, 4660 x 4660.
    tiff.append(QByteArray::fromHex("FFC000110812341234030122000211010311"));
    QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    if (totalLength > 0)
        body.append(QByteArray(qMax(0, int(totalLength - 4 - body.size())), '\0'));
    return segment(0xE1, body);
}

QByteArray bmpHeader(quint32 headerSize, qint32 width, qint32 height) {
    QByteArray b("BM");
    putLe32(b, 14 + headerSize + 4); // file size: headers and one pixel
    putLe32(b, 0);
    putLe32(b, 14 + headerSize); // pixel data offset
    putLe32(b, headerSize);
    if (headerSize == 12) {
        putLe16(b, quint32(width));
        putLe16(b, quint32(height));
        putLe16(b, 1);  // planes
        putLe16(b, 24); // bits per pixel
    } else {
        putLe32(b, quint32(width));
        putLe32(b, quint32(height));
        putLe16(b, 1);
        putLe16(b, 24);
        b.append(QByteArray(qMax(0, int(14 + headerSize - b.size())), '\0'));
    }
    return b.append(QByteArray(4, '\0'));
}

QByteArray pngHeader(quint32 width, quint32 height) {
    QByteArray header;
    putBe32(header, width);
    putBe32(header, height);
    header.append(char(8)).append(char(2)).append(QByteArray(3, '\0'));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header);
}

QByteArray cgbiPngHeader(quint32 width, quint32 height) {
    const QByteArray png = pngHeader(width, height);
    return png.left(8) + pngChunk("CgBI", QByteArray::fromHex("50002002")) + png.mid(8);
}

QByteArray gifHeader(quint16 width, quint16 height, const char *version) {
    QByteArray b = QByteArray("GIF") + version;
    putLe16(b, width);
    putLe16(b, height);
    b.append(char(0)).append(char(0)).append(char(0)); // no colour table
    return b.append(";");
}

QByteArray webpVp8x(quint32 width, quint32 height) {
    QByteArray chunk("VP8X");
    putLe32(chunk, 10);
    chunk.append(char(0x10)).append(QByteArray(3, '\0')); // alpha flag
    putLe16(chunk, (width - 1) & 0xFFFF);
    chunk.append(char((width - 1) >> 16));
    putLe16(chunk, (height - 1) & 0xFFFF);
    chunk.append(char((height - 1) >> 16));
    QByteArray b("RIFF");
    putLe32(b, quint32(4 + chunk.size()));
    return b + "WEBP" + chunk;
}

QByteArray tiffHeader(bool bigEndian, quint32 width, quint32 height, int type, quint32 ifdOffset) {
    const auto put16 = [bigEndian](QByteArray &b, quint32 v) { putU16(b, v, bigEndian); };
    const auto put32 = [bigEndian](QByteArray &b, quint32 v) { putU32(b, v, bigEndian); };
    QByteArray b(bigEndian ? "MM" : "II");
    put16(b, 42);
    put32(b, ifdOffset);
    b.append(QByteArray(qMax(0, int(ifdOffset) - 8), '\0'));
    put16(b, 3);
    put16(b, 0xFE); // NewSubfileType, LONG 0
    put16(b, 4);
    put32(b, 1);
    put32(b, 0);
    for (const auto &[tag, value] : {std::pair{0x100u, width}, std::pair{0x101u, height}}) {
        put16(b, tag);
        put16(b, quint32(type));
        put32(b, 1);
        if (type == 3) {
            put16(b, value);
            put16(b, 0);
        } else {
            put32(b, value);
        }
    }
    put32(b, 0);
    return b;
}

} // namespace testsupport
