#include "batch/resizesettings.h"
#include "picture/resizegeometry.h"

#include <QTest>

class TestResizeGeometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scaledToLongerSide_data() {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<int>("longerSide");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("landscape") << QSize(640, 480) << 250 << QSize(250, 187);
        QTest::newRow("square, one pixel short in float")
            << QSize(300, 300) << 250 << QSize(250, 250);
        QTest::newRow("nearly square") << QSize(252, 200) << 250 << QSize(250, 198);
        QTest::newRow("enlarged") << QSize(200, 150) << 250 << QSize(250, 187);
        QTest::newRow("portrait") << QSize(480, 640) << 250 << QSize(187, 250);
        QTest::newRow("camera") << QSize(2592, 1944) << 250 << QSize(250, 187);
        QTest::newRow("thin line keeps a pixel") << QSize(5000, 3) << 250 << QSize(250, 1);
        QTest::newRow("largest") << QSize(65535, 65534) << 32767 << QSize(32767, 32766);
        QTest::newRow("zero keeps the size") << QSize(333, 222) << 0 << QSize(333, 222);
    }
    void scaledToLongerSide() {
        QFETCH(QSize, photo);
        QFETCH(int, longerSide);
        QFETCH(QSize, expected);
        QCOMPARE(pelmora::scaledToLongerSide(photo, longerSide), std::optional<QSize>(expected));
    }

    void emptyPhotoHasNoTarget() {
        QCOMPARE(pelmora::scaledToLongerSide(QSize(0, 0), 250), std::nullopt);
        QCOMPARE(pelmora::scaledToLongerSide(QSize(10, 0), 250), std::nullopt);
        QCOMPARE(pelmora::scaledToLongerSide(QSize(10, 10), -1), std::nullopt);
    }

    void readLongerSide_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("length");
        QTest::newRow("number") << "250" << true << 250;
        QTest::newRow("blanks") << " 1024 " << true << 1024;
        QTest::newRow("empty keeps") << "" << true << 0;
        QTest::newRow("blank keeps") << "  " << true << 0;
        QTest::newRow("fraction refused, not rounded") << "250.5" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("negative") << "-250" << false << 0;
        QTest::newRow("zero") << "0" << false << 0;
        QTest::newRow("largest") << "10000" << true << 10000;
        QTest::newRow("beyond the largest output") << "20000" << false << 0;
    }
    void readLongerSide() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, length);
        const pelmora::Result<int> read = pelmora::readLongerSide(text);
        QCOMPARE(read.ok(), ok);
        QCOMPARE(read.ok() ? *read : 0, length);
        QCOMPARE(read.reason().isEmpty(), ok);
    }

    void jpegScaledSize_data() {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("eighths");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("exact") << QSize(5120, 2880) << 1 << QSize(640, 360);
        QTest::newRow("rounded up") << QSize(2000, 1125) << 2 << QSize(500, 282);
        QTest::newRow("3/8") << QSize(2001, 1203) << 3 << QSize(751, 452);
        QTest::newRow("full") << QSize(17, 9) << 8 << QSize(17, 9);
    }
    void jpegScaledSize() {
        QFETCH(QSize, stored);
        QFETCH(int, eighths);
        QFETCH(QSize, expected);
        QCOMPARE(pelmora::jpegScaledSize(stored, eighths), expected);
    }

    void reductionEighths_data() {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("longerSide");
        QTest::addColumn<int>("expected");
        QTest::newRow("large photo, small target: 1/8 halves afterwards")
            << QSize(5120, 2880) << 250 << 1;
        QTest::newRow("2560 to 250: 2/8, not 1/8") << QSize(2560, 1600) << 250 << 2;
        QTest::newRow("2000 to 250: 2/8 halves afterwards") << QSize(2000, 1125) << 250 << 2;
        QTest::newRow("2/8 would reduce by less than half") << QSize(1800, 1200) << 250 << 3;
        QTest::newRow("5120 to 1024: 3/8, not 2/8") << QSize(5120, 2880) << 1024 << 3;
        QTest::newRow("2560 to 1024: 5/8, not 4/8") << QSize(2560, 1600) << 1024 << 5;
        QTest::newRow("portrait measured on its longer side") << QSize(1600, 2560) << 1024 << 5;
        QTest::newRow("enlarging") << QSize(200, 150) << 250 << 8;
        QTest::newRow("keep size") << QSize(5120, 2880) << 0 << 8;
        QTest::newRow("just below 1.25") << QSize(1000, 800) << 801 << 8;
        QTest::newRow("exactly 1.25 at 7/8") << QSize(1600, 800) << 1120 << 7;
    }
    void reductionEighths() {
        QFETCH(QSize, stored);
        QFETCH(int, longerSide);
        QFETCH(int, expected);
        QCOMPARE(pelmora::reductionEighths(stored, longerSide), expected);
    }
};

QTEST_APPLESS_MAIN(TestResizeGeometry)
#include "tst_resizegeometry.moc"
