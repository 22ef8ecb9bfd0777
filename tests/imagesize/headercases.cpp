// The header reader's test files: made by Qt, spliced from a Qt JPEG, written by the tools that
// scripts/install-deps installs, and written byte by byte.

#include "headercases.h"

#include "builders.h"
#include "files.h"
#include "heif.h"
#include "photos.h"
#include "process.h"

#include <QDir>
#include <QTest>

using namespace testsupport;

HeaderCases::HeaderCases(const QString &folder)
    : m_folder(folder) {}

void HeaderCases::make() {
    m_jpeg = qtJpeg(QSize(640, 480));
    QVERIFY(m_jpeg.size() > 1000);
    makeQtFiles();
    makeSplicedJpegs();
    makeToolFiles();
    makeHeifFiles();
    makeHandWrittenFiles();
    makeNonPictures();
}

void HeaderCases::add(const QString &name, const QByteArray &bytes, bool recognised, int width,
                      int height, const QString &format, bool decodable) {
    QVERIFY2(writeFile(path(name), bytes), qPrintable(name));
    m_cases << HeaderCase{name, recognised, width, height, format, decodable, {}};
}

bool HeaderCases::tool(const QString &name, const QString &program, const QStringList &arguments) {
    if (!have(program)) {
        skipped(name, program + " is not installed (scripts/install-deps installs it)");
        return false;
    }
    if (runProgram(program, arguments, 120000).exitCode != 0) {
        skipped(name, program + " failed");
        return false;
    }
    return true;
}

void HeaderCases::makeQtFiles() {
    sized("qt-640x480.jpg", m_jpeg, 640, 480, "jpg", true);
    sized("qt-1x1.jpg", qtJpeg(QSize(1, 1)), 1, 1, "jpg", true);
    sized("qt-333x77-grey.jpg", qtJpeg(QSize(333, 77), true), 333, 77, "jpg", true);
    sized("qt-4000x3000.jpg", qtJpeg(QSize(4000, 3000)), 4000, 3000, "jpg", true);
    sized("jpeg-named.png", qtJpeg(QSize(200, 100)), 200, 100, "jpg",
          true); // the name plays no part
    sized("qt-640x480.png", encode(halfGradient(QSize(640, 480)), "png"), 640, 480, "png", true);
    sized("qt-123x45.bmp", encode(halfGradient(QSize(123, 45)), "bmp"), 123, 45, "bmp", true);
    const QByteArray webp = encode(halfGradient(QSize(320, 200), true), "webp");
    if (webp.isEmpty())
        skipped("qt-alpha.webp", "Qt has no WebP writer (qt6-image-formats-plugins)");
    else
        sized("qt-alpha.webp", webp, 320, 200, "webp", true);
    const QByteArray tiff = encode(halfGradient(QSize(77, 55)), "tiff");
    if (tiff.isEmpty())
        skipped("qt.tif", "Qt has no TIFF writer (qt6-image-formats-plugins)");
    else
        sized("qt.tif", tiff, 77, 55, "tif", true);
}

void HeaderCases::makeSplicedJpegs() {
    const JpegParts parts = splitJpeg(m_jpeg);
    QVERIFY(parts.find(0xC0) > 0);
    QVERIFY(parts.find(0xC4) > parts.find(0xC0)); // libjpeg writes its tables after the frame
    const auto withSegmentsFirst = [&parts](const QByteArray &inserted) {
        JpegParts spliced = parts;
        spliced.segments.insert(1, inserted);
        return spliced.join();
    };

    // A camera's EXIF segment, as long as a segment can be, before the frame header; a raw scan
    // of the first bytes would find the false frame header inside it.
    const QByteArray exif64k = exifSegment(1, false, 65537);
    QCOMPARE(exif64k.size(), 65537);
    QVERIFY(exif64k.left(257).contains(QByteArray::fromHex("FFC0")));
    sized("exif-64k.jpg", withSegmentsFirst(exif64k), 640, 480, "jpg", true);
    sized("exif-64k-no-orientation.jpg", withSegmentsFirst(exifSegment(0, true, 65537)), 640, 480,
          "jpg", true);
    // Orientation, both byte orders: 5 to 8 are quarter turns.
    for (int o = 1; o <= 8; ++o) {
        const bool turned = o >= 5;
        sized(QStringLiteral("exif-orientation-%1-ii.jpg").arg(o),
              withSegmentsFirst(exifSegment(o, false)), turned ? 480 : 640, turned ? 640 : 480,
              "jpg", true);
        sized(QStringLiteral("exif-orientation-%1-mm-64k.jpg").arg(o),
              withSegmentsFirst(exifSegment(o, true, 65537)), turned ? 480 : 640,
              turned ? 640 : 480, "jpg", true);
    }
    sized("exif-orientation-9.jpg", withSegmentsFirst(exifSegment(9, false)), 640, 480, "jpg");
    // Only the first APP1 segment counts, when it is EXIF: Qt's reader, and so the preview,
    // turns nothing for an EXIF segment after an XMP one, nor for a second EXIF segment.
    const QByteArray xmp =
        segment(0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 41));
    {
        JpegParts spliced = parts;
        spliced.segments.insert(1, xmp);
        spliced.segments.insert(2, exifSegment(6, true));
        spliced.segments.insert(3, exifSegment(1, true));
        sized("xmp-then-exif-6.jpg", spliced.join(), 640, 480, "jpg", true);
        spliced.segments.removeAt(1);
        sized("exif-6-then-exif-1.jpg", spliced.join(), 480, 640, "jpg", true);
        spliced.segments.move(2, 1);
        sized("exif-1-then-exif-6.jpg", spliced.join(), 640, 480, "jpg", true);
    }

    // Huffman tables (FF C4) before the frame header: libjpeg accepts tables anywhere before
    // the scan. A raw scan would take the tables for the frame.
    {
        JpegParts moved = parts;
        QList<QByteArray> tables;
        for (int i = moved.segments.size() - 1; i > 0; --i) {
            if (quint8(moved.segments[i][1]) == 0xC4)
                tables.prepend(moved.segments.takeAt(i));
        }
        QVERIFY(!tables.isEmpty());
        const int frame = moved.find(0xC0);
        for (int i = 0; i < tables.size(); ++i)
            moved.segments.insert(frame + i, tables[i]);
        QVERIFY(moved.find(0xC4) < moved.find(0xC0));
        sized("dht-before-frame.jpg", moved.join(), 640, 480, "jpg", true);
    }

    // Fill bytes before a marker, and standalone markers on the way.
    {
        JpegParts filled = parts;
        const int frame = filled.find(0xC0);
        filled.segments[frame].prepend(QByteArray(5, char(0xFF)));
        filled.segments.insert(1, QByteArray::fromHex("FF01")); // TEM
        sized("fill-bytes.jpg", filled.join(), 640, 480, "jpg", true);
    }
    // Stray bytes before a marker, which libjpeg skips with a warning: plain ones, and a stuffed
    // zero that is no marker.
    {
        JpegParts stray = parts;
        stray.segments[1].append("junk");
        sized("stray-bytes.jpg", stray.join(), 640, 480, "jpg", true);
        sized("stuffed-zero.jpg", QByteArray::fromHex("FFD8FF00") + m_jpeg.mid(2), 640, 480, "jpg",
              true);
    }

    // Every code of C0 to CF in the frame header's place: C4, C8 and CC are no frames, so the
    // walk goes on to the start of scan and gives up.
    {
        const int frame = parts.find(0xC0);
        for (int code = 0xC0; code <= 0xCF; ++code) {
            JpegParts patched = parts;
            patched.segments[frame][1] = char(code);
            const QString name = QStringLiteral("frame-marker-%1.jpg").arg(code, 2, 16);
            if (code == 0xC4 || code == 0xC8 || code == 0xCC)
                unread(name, patched.join());
            else
                sized(name, patched.join(), 640, 480, "jpg");
        }
        JpegParts shortFrame = parts;
        shortFrame.segments[frame] = QByteArray::fromHex("FFC000070801E0");
        unread("frame-header-too-short.jpg", shortFrame.join());
    }

    // Cut short: before the frame header is whole, and after it (the header alone is enough).
    const qsizetype frameAt = m_jpeg.indexOf(QByteArray::fromHex("FFC0"));
    QVERIFY(frameAt > 0);
    unread("cut-in-frame-header.jpg", m_jpeg.left(frameAt + 7));
    unread("cut-before-frame.jpg", m_jpeg.left(frameAt));
    sized("cut-after-frame.jpg", m_jpeg.left(frameAt + 9), 640, 480, "jpg");
    sized("cut-in-half.jpg", m_jpeg.left(m_jpeg.size() / 2), 640, 480, "jpg");
    unread("cut-in-exif.jpg", withSegmentsFirst(exif64k).left(30000));

    // The 16 MiB limit: 250 segments of 64 KB (15.6 MiB, as the 7 MB of XMP a photo editor
    // piles up before the frame, and more) are walked, 260 (16.2 MiB) are not.
    {
        JpegParts big = parts;
        for (int i = 0; i < 250; ++i)
            big.segments.insert(1, segment(0xE1, QByteArray(65533, 'x')));
        QVERIFY(big.join().size() < 16 * 1024 * 1024);
        sized("segments-15.6-mib.jpg", big.join(), 640, 480, "jpg", true);
        for (int i = 0; i < 10; ++i)
            big.segments.insert(1, segment(0xE2, QByteArray(65533, 'x')));
        QVERIFY(big.join().indexOf(QByteArray::fromHex("FFC0")) > 16 * 1024 * 1024);
        unread("segments-16.2-mib.jpg", big.join());
    }

    // Malformed walks.
    unread("bare-soi.jpg", QByteArray::fromHex("FFD8"));
    unread("soi-eoi.jpg", QByteArray::fromHex("FFD8FFD9"));
    unread("scan-before-frame.jpg", QByteArray::fromHex("FFD8") + parts.scan);
    unread("no-marker-after-soi.jpg", QByteArray::fromHex("FFD8") + "abcdefgh");
    unread("second-soi.jpg", QByteArray::fromHex("FFD8") + m_jpeg); // libjpeg refuses it too
    unread("length-below-two.jpg", QByteArray::fromHex("FFD8FFE00001") + m_jpeg.mid(2));
    unread("segment-past-end.jpg", QByteArray::fromHex("FFD8FFE0FFFF0000"));
    unread("fill-bytes-only.jpg", QByteArray::fromHex("FFD8") + QByteArray(1 << 20, char(0xFF)));
}

void HeaderCases::makeToolFiles() {
    const QString ppm = path("source.ppm");
    QVERIFY(writeFile(ppm, [] {
        QByteArray bytes("P6\n640 480\n255\n");
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x)
                bytes.append(char(x / 3)).append(char(y / 2)).append(char((x + y) / 5));
        }
        return bytes;
    }()));
    const QString im = "convert-im6.q16";
    const auto hasMarker = [this](const QString &name, unsigned char code) {
        return splitJpeg(readFile(path(name))).find(code) > 0;
    };

    if (tool("cjpeg-progressive.jpg", "cjpeg",
             {"-progressive", "-outfile", path("cjpeg-progressive.jpg"), ppm})) {
        QVERIFY(hasMarker("cjpeg-progressive.jpg", 0xC2));
        sized("cjpeg-progressive.jpg", readFile(path("cjpeg-progressive.jpg")), 640, 480, "jpg",
              true);
    }
    if (tool("cjpeg-arithmetic.jpg", "cjpeg",
             {"-arithmetic", "-outfile", path("cjpeg-arithmetic.jpg"), ppm})) {
        QVERIFY(hasMarker("cjpeg-arithmetic.jpg", 0xC9));
        sized("cjpeg-arithmetic.jpg", readFile(path("cjpeg-arithmetic.jpg")), 640, 480, "jpg");
    }
    if (tool("cjpeg-arithmetic-progressive.jpg", "cjpeg",
             {"-arithmetic", "-progressive", "-outfile", path("cjpeg-arithmetic-progressive.jpg"),
              ppm})) {
        QVERIFY(hasMarker("cjpeg-arithmetic-progressive.jpg", 0xCA));
        sized("cjpeg-arithmetic-progressive.jpg",
              readFile(path("cjpeg-arithmetic-progressive.jpg")), 640, 480, "jpg");
    }
    if (tool("im-interlaced.jpg", im, {ppm, "-interlace", "JPEG", path("im-interlaced.jpg")})) {
        QVERIFY(hasMarker("im-interlaced.jpg", 0xC2));
        sized("im-interlaced.jpg", readFile(path("im-interlaced.jpg")), 640, 480, "jpg", true);
    }
    // exiftool's own EXIF segment, orientation 1 to 8, in one run of exiftool.
    {
        QStringList names;
        QStringList arguments;
        for (int o = 1; o <= 8; ++o) {
            names << QStringLiteral("exiftool-orientation-%1.jpg").arg(o);
            QVERIFY(writeFile(path(names.last()), m_jpeg));
            if (o > 1)
                arguments << "-execute";
            arguments << QStringLiteral("-Orientation=%1").arg(o) << path(names.last());
        }
        arguments << "-common_args"
                  << "-q"
                  << "-n"
                  << "-overwrite_original";
        if (tool(names.join(", "), "exiftool", arguments)) {
            for (int o = 1; o <= 8; ++o) {
                const bool turned = o >= 5;
                sized(names[o - 1], readFile(path(names[o - 1])), turned ? 480 : 640,
                      turned ? 640 : 480, "jpg", true);
            }
        }
    }

    if (tool("im-screen.gif", im,
             {"-size", "50x40", "xc:red", "-page", "120x90+10+10", path("im-screen.gif")}))
        sized("im-screen.gif", readFile(path("im-screen.gif")), 120, 90, "gif");
    if (tool("im-bmp3.bmp", im, {ppm, "BMP3:" + path("im-bmp3.bmp")}))
        sized("im-bmp3.bmp", readFile(path("im-bmp3.bmp")), 640, 480, "bmp", true);
    if (tool("im-bmp4.bmp", im, {ppm, "-alpha", "on", path("im-bmp4.bmp")})) {
        const QByteArray bmp = readFile(path("im-bmp4.bmp"));
        QVERIFY(bmp.size() > 18 && quint8(bmp[14]) > 40); // a V4 or V5 header
        sized("im-bmp4.bmp", bmp, 640, 480, "bmp", true);
    }

    // WebP: the three kinds of first chunk.
    const auto webp = [&](const QString &name, const QStringList &arguments, const char *chunk,
                          int width, int height) {
        if (!tool(name, im, arguments))
            return;
        const QByteArray bytes = readFile(path(name));
        QCOMPARE(bytes.mid(12, 4), QByteArray(chunk));
        sized(name, bytes, width, height, "webp", true);
    };
    webp("im-vp8.webp", {ppm, "-define", "webp:lossless=false", path("im-vp8.webp")}, "VP8 ", 640,
         480);
    webp("im-vp8l.webp", {ppm, "-define", "webp:lossless=true", path("im-vp8l.webp")}, "VP8L", 640,
         480);
    webp("im-vp8x.webp",
         {"-size", "64x48", "xc:none", "-fill", "#ff000080", "-draw", "rectangle 0,0 30,30",
          "-define", "webp:lossless=false", path("im-vp8x.webp")},
         "VP8X", 64, 48);

    // TIFF, both byte orders; ImageMagick puts the directory after the pixels.
    const auto tiff = [&](const QString &name, const QString &endian, const char *signature) {
        if (!tool(
                name, im,
                {ppm, "-endian", endian, "-define", "tiff:endian=" + endian.toLower(), path(name)}))
            return;
        const QByteArray bytes = readFile(path(name));
        QCOMPARE(bytes.left(4), QByteArray(signature, 4));
        sized(name, bytes, 640, 480, "tif", true);
    };
    tiff("im-msb.tif", "MSB", "MM\0*");
    tiff("im-lsb.tif", "LSB", "II*\0");
}

// Phone photos: HEIC and AVIF by libheif's own encoder, one turned by its irot property.
void HeaderCases::makeHeifFiles() {
    if (!have("heif-enc")) {
        skipped("heif-*", "heif-enc is not installed (scripts/install-deps installs it)");
        return;
    }
    const QByteArray png = encode(halfGradient(QSize(96, 64)), "png");
    const QByteArray heic = heifEncode(png, "png");
    const QByteArray avif = heifEncode(png, "png", {"-A"});
    QVERIFY(!heic.isEmpty() && !avif.isEmpty());
    sized("heif-enc.heic", heic, 96, 64, "heic", true);
    sized("heif-enc.avif", avif, 96, 64, "avif", true);
    for (int turns = 0; turns < 4; ++turns) {
        const QByteArray turned = withHeifRotation(heic, turns);
        QVERIFY(!turned.isEmpty());
        sized(QStringLiteral("heif-irot-%1.heic").arg(turns), turned, turns % 2 ? 64 : 96,
              turns % 2 ? 96 : 64, "heic", true);
    }
    // libheif 1.15's own layout of a turned picture: the rotation listed before the stored
    // size, which is stored turned already. libheif applies the properties in the order listed,
    // so the rotation turns the picture but not that size.
    const QByteArray turnedFirst =
        withHeifRotation(heic, 1, RotationListed::BeforeSizeAlreadyTurned);
    QVERIFY(!turnedFirst.isEmpty());
    sized("heif-irot-before-ispe.heic", turnedFirst, 64, 96, "heic", true);
    // Branded mif1 alone, naming no coding: the primary item's type (HEVC) tells.
    sized("heif-mif1-only.heif", withOnlyBrand(heic, "mif1"), 96, 64, "heic", true);
    // The boxes cut short: recognised by the brands, no size.
    const qsizetype meta = heic.indexOf("meta") - 4;
    QVERIFY(meta > 0);
    unread("heif-cut-in-meta.heic", heic.left(meta + 40));
    unread("heif-ftyp-only.heic", heic.left(meta));
    // Other files in the same container: an MP4 video, a HEIF of another coding.
    QByteArray video = heic;
    video.replace(8, 4, "isom");
    video.replace(16, qsizetype(meta - 16), QByteArray(meta - 16, 'x'));
    add("mp4-brand.mp4", video, false);
}

void HeaderCases::makeHandWrittenFiles() {
    // BMP: every information header the reader knows, top-down bitmaps, and the rest.
    for (const quint32 size : {40u, 52u, 56u, 64u, 108u, 124u}) {
        sized(QStringLiteral("bmp-%1.bmp").arg(size), bmpHeader(size, 640, 480), 640, 480, "bmp");
        sized(QStringLiteral("bmp-%1-top-down.bmp").arg(size), bmpHeader(size, 640, -480), 640, 480,
              "bmp");
    }
    sized("bmp-core-12.bmp", bmpHeader(12, 640, 480), 640, 480, "bmp");
    sized("bmp-core-12-65535.bmp", bmpHeader(12, 65535, 1), 65535, 1, "bmp");
    sized("bmp-40-wide.bmp", bmpHeader(40, 100000, 3), 100000, 3, "bmp");
    sized("bmp-unknown-header-20.bmp", bmpHeader(20, 640, 480), 0, 0, "bmp");
    sized("bmp-header-size-296.bmp", bmpHeader(40, 640, 480).replace(15, 1, "\x01"), 0, 0, "bmp");
    unread("bmp-negative-width.bmp", bmpHeader(40, -640, 480));
    unread("bmp-height-int-min.bmp", bmpHeader(40, 640, std::numeric_limits<qint32>::min()));
    unread("bmp-cut.bmp", bmpHeader(40, 640, 480).left(24));
    unread("bmp-signature-only.bmp", "BM");

    // PNG: the full 32-bit sizes of IHDR.
    sized("png-70000-wide.png", pngHeader(70000, 3), 70000, 3, "png");
    sized("png-65536-square.png", pngHeader(65536, 65536), 65536, 65536, "png");
    sized("png-int-max.png", pngHeader(0x7FFFFFFF, 1), 0x7FFFFFFF, 1, "png");
    unread("png-2-to-31.png", pngHeader(0x80000000u, 1)); // no int holds it, nor does PNG allow it
    unread("png-cut.png", pngHeader(640, 480).left(22));
    unread("png-no-ihdr.png", pngHeader(640, 480).replace(12, 4, "IDAT"));
    sized("png-cgbi-first.png", cgbiPngHeader(640, 480), 640, 480, "png");
    unread("png-cgbi-then-idat.png", cgbiPngHeader(640, 480).replace(28, 4, "IDAT"));

    // GIF: the logical screen.
    sized("gif87a.gif", gifHeader(300, 200, "87a"), 300, 200, "gif");
    sized("gif89a-65535.gif", gifHeader(65535, 1), 65535, 1, "gif");
    sized("gif-other-version.gif", gifHeader(12, 34, "8xa"), 12, 34, "gif");
    unread("gif-cut.gif", gifHeader(300, 200).left(9));

    // WebP: VP8X canvases beyond the 14 bits of VP8 and VP8L.
    sized("vp8x-70000-wide.webp", webpVp8x(70000, 5), 70000, 5, "webp");
    sized("vp8x-largest.webp", webpVp8x(1 << 24, 1 << 24), 1 << 24, 1 << 24, "webp");
    unread("vp8x-cut.webp", webpVp8x(70000, 5).left(28));
    QByteArray otherChunk = webpVp8x(10, 10);
    unread("webp-unknown-chunk.webp", otherChunk.replace(12, 4, "ALPH"));
    add("riff-wave.wav", QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16), false);

    // TIFF: SHORT and LONG sizes, both byte orders, directories far in and out of the file.
    sized("tiff-ii-short.tif", tiffHeader(false, 640, 480, 3), 640, 480, "tif");
    sized("tiff-mm-short.tif", tiffHeader(true, 640, 480, 3), 640, 480, "tif");
    sized("tiff-ii-long.tif", tiffHeader(false, 70000, 480, 4), 70000, 480, "tif");
    sized("tiff-mm-long.tif", tiffHeader(true, 640, 70000, 4), 640, 70000, "tif");
    sized("tiff-ifd-at-1-mib.tif", tiffHeader(true, 640, 480, 3, 1 << 20), 640, 480, "tif");
    unread("tiff-long-2-to-31.tif", tiffHeader(false, 0x80000000u, 480, 4));
    unread("tiff-ifd-past-end.tif",
           tiffHeader(false, 640, 480, 3).replace(4, 4, QByteArray("\xFF\xFF\0\0", 4)));
    unread("tiff-ifd-in-header.tif",
           tiffHeader(false, 640, 480, 3).replace(4, 4, QByteArray("\x02\0\0\0", 4)));
    unread("tiff-cut.tif", tiffHeader(true, 640, 480, 3).left(30));
    QByteArray noWidth = tiffHeader(false, 640, 480, 3);
    noWidth[8 + 2 + 12] = char(0x10); // ImageWidth becomes tag 0x110
    unread("tiff-no-width.tif", noWidth);
    add("bigtiff.tif", QByteArray("II+\0\x08\0\0\0", 8) + QByteArray(16, '\0'), false);

    // Camera RAW files: the full picture's size, never the preview's that comes first.
    sized("dng-8x8-preview.dng", dngFile(6000, 4000), 6000, 4000, "dng");
    sized("dng-orientation-6.dng", dngFile(6000, 4000, 6), 4000, 6000, "dng");
    sized("nef-like.nef", nefLikeFile(6048, 4032), 6048, 4032, "nef");
    QByteArray noSensor = dngFile(6000, 4000);
    noSensor.replace(4096, 2, QByteArray(2, '\0')); // the SubIFD holds no entry
    unread("dng-no-sensor-ifd.dng", noSensor);
    // Known by their signatures, no size read: their first directory is a preview, or they have
    // none.
    QByteArray cr2 = tiffHeader(false, 1536, 1024, 3, 16);
    cr2.replace(8, 4, QByteArray("CR\x02\0", 4));
    unread("canon.cr2", cr2);
    QByteArray iiq = tiffHeader(false, 1, 1, 3, 16);
    iiq.replace(8, 8, QByteArray("IIII\x01waR", 8));
    unread("phase-one.iiq", iiq);
    unread("canon.cr3", QByteArray("\0\0\0\x18"
                                   "ftypcrx \0\0\0\x01"
                                   "crx isom",
                                   24));
    unread("fuji.raf", QByteArray("FUJIFILMCCD-RAW 0201FF383501"));
}

void HeaderCases::makeNonPictures() {
    add("text.jpg", "This is a text file, not a picture.\n", false);
    add("empty.jpg", QByteArray(), false);
    add("one-byte.jpg", QByteArray(1, char(0xFF)), false);
    add("png-signature-cut.png", QByteArray("\x89PN", 3), false);
    add("zeros.bmp", QByteArray(300, '\0'), false);
    QVERIFY(QDir(m_folder).mkdir("folder.jpg"));
    m_cases << HeaderCase{"folder.jpg", false, 0, 0, {}, false, {}};
    m_cases << HeaderCase{"missing.jpg", false, 0, 0, {}, false, {}};
}
