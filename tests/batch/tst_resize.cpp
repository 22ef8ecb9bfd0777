#include "files.h"
#include "photos.h"
#include "runner.h"

#include <QDir>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

// The format of the file by its bytes, whatever its name says.
QString formatOf(const QString &path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return QString::fromLatin1(reader.format());
}

pelmora::ResizeSettings settingsFor(const QString &longerSide, int quality = 5) {
    pelmora::ResizeSettings settings;
    settings.longerSide = longerSide;
    settings.quality = quality;
    return settings;
}

} // namespace

class TestResize : public QObject {
    Q_OBJECT

    TestFolder dir;

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void outputSize_data() {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("longerSide");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("landscape") << QSize(640, 480) << "jpeg"
                                   << "250" << QSize(250, 187);
        QTest::newRow("square") << QSize(300, 300) << "jpeg"
                                << "250" << QSize(250, 250);
        QTest::newRow("nearly square") << QSize(252, 200) << "jpeg"
                                       << "250" << QSize(250, 198);
        QTest::newRow("enlarge") << QSize(200, 150) << "jpeg"
                                 << "250" << QSize(250, 187);
        QTest::newRow("portrait") << QSize(480, 640) << "jpeg"
                                  << "250" << QSize(187, 250);
        QTest::newRow("camera") << QSize(2592, 1944) << "jpeg"
                                << "250" << QSize(250, 187);
        QTest::newRow("not whole blocks") << QSize(2001, 1203) << "jpeg"
                                          << "250" << QSize(250, 150);
        QTest::newRow("png: written as PNG, as its name says") << QSize(640, 480) << "png"
                                                               << "250" << QSize(250, 187);
        QTest::newRow("empty keeps the size") << QSize(333, 222) << "png"
                                              << "" << QSize(333, 222);
        QTest::newRow("bmp") << QSize(64, 48) << "bmp"
                             << "32" << QSize(32, 24);
    }
    void outputSize() {
        QFETCH(QSize, photo);
        QFETCH(QString, format);
        QFETCH(QString, longerSide);
        QFETCH(QSize, expected);
        const QString path =
            dir.place(QStringLiteral("size-%1.%2").arg(QTest::currentDataTag(), format),
                      encode(gradientPicture(photo), format.toLatin1().constData()));

        const pelmora::ConversionResult result = resizeInPlace(path, settingsFor(longerSide));

        QVERIFY2(result.converted(), qPrintable(result.reason));
        QCOMPARE(result.size, expected);
        QCOMPARE(QImageReader(path).size(), expected);
        QCOMPARE(formatOf(path), format); // in the format its name says
    }

    void unusableInputLeavesFileUntouched_data() {
        QTest::addColumn<QString>("longerSide");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("extension");
        const QByteArray photo = encode(gradientPicture(QSize(64, 48)), "jpeg");
        QTest::newRow("letters") << "abc" << photo << "jpg";
        QTest::newRow("negative") << "-250" << photo << "jpg";
        QTest::newRow("zero") << "0" << photo << "jpg";
        QTest::newRow("undecodable")
            << "250" << QByteArray("this is not a picture at all\n") << "jpg";
        QTest::newRow("truncated header") << "250" << photo.left(20) << "jpg";
        QTest::newRow("empty file") << "250" << QByteArray() << "jpg";
        // x265 takes no picture this thin: the photo fails, no crash.
        QTest::newRow("10000 x 10 as HEIC")
            << "10000" << encode(gradientPicture(QSize(10000, 10)), "png") << "heic";
    }
    void unusableInputLeavesFileUntouched() {
        QFETCH(QString, longerSide);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, extension);
        const QString path =
            dir.place(QStringLiteral("bad-%1.%2").arg(QTest::currentDataTag(), extension), bytes);

        const pelmora::ConversionResult result = resizeInPlace(path, settingsFor(longerSide));

        QVERIFY(!result.converted());
        QVERIFY(!result.reason.isEmpty());
        QCOMPARE(readFile(path), bytes);
        QCOMPARE(
            QDir(dir.path()).entryList({QStringLiteral("bad-*")}, QDir::Files).size(),
            QDir(dir.path())
                .entryList({QStringLiteral("bad-*.jpg"), QStringLiteral("bad-*.heic")}, QDir::Files)
                .size());
    }

    void missingFileFails() {
        const pelmora::ConversionResult result =
            resizeInPlace(dir.filePath(QStringLiteral("nowhere.jpg")), settingsFor("250"));
        QVERIFY(!result.converted());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("nowhere.jpg"))));
    }

    void qualityOrdersFileSizes() {
        const QByteArray photo = encode(gradientPicture(QSize(800, 600)), "jpeg");
        const QString low = dir.place(QStringLiteral("q1.jpg"), photo);
        const QString high = dir.place(QStringLiteral("q10.jpg"), photo);
        QVERIFY(resizeInPlace(low, settingsFor("400", 1)).converted());
        QVERIFY(resizeInPlace(high, settingsFor("400", 10)).converted());
        QVERIFY2(
            QFileInfo(low).size() * 2 < QFileInfo(high).size(),
            qPrintable(
                QStringLiteral("%1 vs %2").arg(QFileInfo(low).size()).arg(QFileInfo(high).size())));
    }

    void japaneseFileName() {
        const QString name =
            QStringLiteral(u"\u5199\u771F \u3057\u3083\u3057\u3093 \U0001F4F7.jpg");
        const QString path = dir.place(name, encode(gradientPicture(QSize(640, 480)), "jpeg"));
        const pelmora::ConversionResult result = resizeInPlace(path, settingsFor("250"));
        QVERIFY2(result.converted(), qPrintable(result.reason));
        QCOMPARE(QImageReader(path).size(), QSize(250, 187));
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral(u"\u5199\u771F*")}).size(), 1);
    }

    // Kept where the format carries it, laid on white where it does not.
    void transparency_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRgb>("clear"); // what the transparent half becomes
        QTest::newRow("JPEG: on white") << "clear.jpg" << qRgba(255, 255, 255, 255);
        QTest::newRow("PNG: kept") << "clear.png" << qRgba(0, 0, 0, 0);
        QTest::newRow("WebP: kept") << "clear.webp" << qRgba(0, 0, 0, 0);
        QTest::newRow("AVIF: kept") << "clear.avif" << qRgba(0, 0, 0, 0);
    }
    void transparency() {
        QFETCH(QString, name);
        QFETCH(QRgb, clear);
        QImage picture(120, 80, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter(&picture).fillRect(0, 0, 60, 80, QColor(0, 0, 200));
        const QString path = dir.place(name, encode(picture, "png"));

        const pelmora::ConversionResult result = resizeInPlace(path, settingsFor("60", 10));
        QVERIFY2(result.converted(), qPrintable(result.reason));

        QImage out(path);
        out = out.convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(out.size(), QSize(60, 40));
        QVERIFY2(qAlpha(out.pixel(55, 20)) == qAlpha(clear) &&
                     (qAlpha(clear) == 0 || colorDistance(out.pixel(55, 20), clear) <= 4),
                 qPrintable(QStringLiteral("%1").arg(out.pixel(55, 20), 8, 16)));
        QCOMPARE(qAlpha(out.pixel(5, 20)), 255);
        QVERIFY(colorDistance(out.pixel(5, 20), qRgb(0, 0, 200)) <= 8);
    }

    void colourModels_data() {
        QTest::addColumn<QString>("colorspace");
        QTest::addColumn<bool>("grey");
        QTest::newRow("grayscale") << "Gray" << true;
        QTest::newRow("cmyk") << "CMYK" << false;
    }
    void colourModels() {
        QFETCH(QString, colorspace);
        QFETCH(bool, grey);
        const QString im = QStandardPaths::findExecutable(QStringLiteral("convert-im6.q16"));
        if (im.isEmpty())
            QSKIP("convert-im6.q16 (ImageMagick) is not installed");
        const QRgb left = grey ? qRgb(60, 60, 60) : qRgb(200, 40, 30);
        const QRgb right = grey ? qRgb(200, 200, 200) : qRgb(30, 60, 190);
        QImage picture(400, 200, QImage::Format_RGB32);
        picture.fill(left);
        QPainter(&picture).fillRect(200, 0, 200, 200, QColor(right));
        const QString source =
            dir.place(QStringLiteral("rgb-%1.png").arg(colorspace), encode(picture, "png"));
        const QString path = dir.filePath(QStringLiteral("model-%1.jpg").arg(colorspace));
        QCOMPARE(QProcess::execute(im, {source, QStringLiteral("-colorspace"), colorspace,
                                        QStringLiteral("-quality"), QStringLiteral("95"), path}),
                 0);

        const pelmora::ConversionResult result = resizeInPlace(path, settingsFor("200", 10));
        QVERIFY2(result.converted(), qPrintable(result.reason));

        const QImage out = readImage(path);
        QCOMPARE(out.size(), QSize(200, 100));
        QVERIFY2(colorDistance(out.pixel(40, 50), left) <= 12,
                 qPrintable(QColor(out.pixel(40, 50)).name()));
        QVERIFY2(colorDistance(out.pixel(160, 50), right) <= 12,
                 qPrintable(QColor(out.pixel(160, 50)).name()));
    }

    void exifOrientationTurnsUpright_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("expected");
        QTest::addColumn<QPoint>("markerCorner"); // 0/1 for left/right, top/bottom
        // The marker sits in the stored picture's top left corner.
        QTest::newRow("6: quarter turn clockwise")
            << 6 << QSize(640, 480) << QSize(187, 250) << QPoint(1, 0);
        QTest::newRow("8: quarter turn anticlockwise")
            << 8 << QSize(640, 480) << QSize(187, 250) << QPoint(0, 1);
        QTest::newRow("3: half turn") << 3 << QSize(640, 480) << QSize(250, 187) << QPoint(1, 1);
        QTest::newRow("6, reduced decode, not whole blocks")
            << 6 << QSize(2001, 1203) << QSize(150, 250) << QPoint(1, 0);
    }
    void exifOrientationTurnsUpright() {
        QFETCH(int, orientation);
        QFETCH(QSize, stored);
        QFETCH(QSize, expected);
        QFETCH(QPoint, markerCorner);
        QImage picture = flatPicture(stored, QColor(40, 90, 200));
        QPainter(&picture).fillRect(0, 0, stored.width() / 4, stored.height() / 4,
                                    QColor(230, 20, 20));
        const QString path =
            dir.place(QStringLiteral("turned-%1-%2.jpg").arg(orientation).arg(stored.width()),
                      withExifOrientation(encode(picture, "jpeg"), orientation));
        QCOMPARE(QImageReader(path).transformation() != QImageIOHandler::TransformationNone, true);

        const pelmora::ConversionResult result = resizeInPlace(path, settingsFor("250"));
        QVERIFY2(result.converted(), qPrintable(result.reason));

        QImage out(
            path); // plain load: no orientation applied, so the pixels must already be upright
        out = out.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(out.size(), expected);
        const auto corner = [&](int cx, int cy) {
            return out.pixel(cx ? out.width() - 6 : 5, cy ? out.height() - 6 : 5);
        };
        for (int cx = 0; cx < 2; ++cx)
            for (int cy = 0; cy < 2; ++cy) {
                const bool marked = QPoint(cx, cy) == markerCorner;
                QVERIFY2((qRed(corner(cx, cy)) > 180) == marked,
                         qPrintable(QStringLiteral("corner %1,%2 is %3")
                                        .arg(cx)
                                        .arg(cy)
                                        .arg(QColor(corner(cx, cy)).name())));
            }
    }

    // The encoder's padding beyond a photo whose sides are not whole 8x8 blocks is dark here
    // (same hue, so that chroma subsampling keeps the photo's own last row and column clean);
    // the reduced decode reads part of it, but the result must not show it.
    void paddingNeverShows_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("longerSide");
        QTest::newRow("upright, 250") << 1 << "250";
        QTest::newRow("upright, 1024") << 1 << "1024";
        QTest::newRow("turned, 250") << 6 << "250";
        QTest::newRow("turned the other way, 250") << 8 << "250";
        QTest::newRow("half turn, 300") << 3 << "300";
    }
    void paddingNeverShows() {
        QFETCH(int, orientation);
        QFETCH(QString, longerSide);
        const QColor edge(200, 150, 110);
        const QSize photo(2001, 1203);
        QImage coded = flatPicture(QSize(2008, 1208), QColor(100, 50, 10));
        QPainter(&coded).fillRect(QRect(QPoint(0, 0), photo), edge);
        QByteArray bytes = withDeclaredSize(encode(coded, "jpeg", 95), photo);
        if (orientation != 1)
            bytes = withExifOrientation(bytes, orientation);
        const QString path =
            dir.place(QStringLiteral("padded-%1-%2.jpg").arg(orientation).arg(longerSide), bytes);
        QCOMPARE(QImageReader(path).size(), photo);

        const pelmora::ConversionResult result = resizeInPlace(path, settingsFor(longerSide, 10));
        QVERIFY2(result.converted(), qPrintable(result.reason));

        const QImage out = readImage(path);
        const int w = out.width();
        const int h = out.height();
        for (int x = 0; x < w; x += 7) {
            for (int y : {0, h - 1})
                QVERIFY2(colorDistance(out.pixel(x, y), edge.rgb()) <= 12,
                         qPrintable(QStringLiteral("%1,%2 is %3")
                                        .arg(x)
                                        .arg(y)
                                        .arg(QColor(out.pixel(x, y)).name())));
        }
        for (int y = 0; y < h; y += 7) {
            for (int x : {0, w - 1})
                QVERIFY2(colorDistance(out.pixel(x, y), edge.rgb()) <= 12,
                         qPrintable(QStringLiteral("%1,%2 is %3")
                                        .arg(x)
                                        .arg(y)
                                        .arg(QColor(out.pixel(x, y)).name())));
        }
    }
};

QTEST_MAIN(TestResize)
#include "tst_resize.moc"
