#include "batch/resizesettings.h"
#include "files.h"
#include "photos.h"
#include "picture/signature.h"
#include "runner.h"

#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

const QColor kGrey(128, 128, 128);
const QColor kRed(220, 0, 0);

pelmora::SignatureStyle redStyle(const QString &text, const QString &points) {
    pelmora::SignatureStyle style;
    style.text = text;
    style.pointSizeText = points;
    style.color = kRed;
    return style;
}

// The smallest rectangle holding every pixel that differs between two pictures of one size.
QRect changedArea(const QImage &before, const QImage &after, int tolerance) {
    QRect area;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (colorDistance(before.pixel(x, y), after.pixel(x, y)) > tolerance)
                area |= QRect(x, y, 1, 1);
    return area;
}

// The stamp as the resize draws it.
pelmora::StampStyle stamp(const pelmora::SignatureStyle &style) {
    return {style.text, style.family, pelmora::signaturePointSize(style), style.color};
}

} // namespace

class TestSignature : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pointSize_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("fallback");
        QTest::addColumn<double>("expected");
        QTest::newRow("whole") << "8" << 9.0 << 8.0;
        QTest::newRow("half") << "10.5" << 9.0 << 10.5;
        QTest::newRow("letters keep the previous size") << "abc" << 7.0 << 7.0;
        QTest::newRow("empty") << "" << 12.0 << 12.0;
        QTest::newRow("zero") << "0" << 7.0 << 7.0;
        QTest::newRow("negative") << "-8" << 7.0 << 7.0;
        QTest::newRow("unusable fallback") << "x" << 0.0 << 9.0;
    }
    void pointSize() {
        QFETCH(QString, text);
        QFETCH(double, fallback);
        QFETCH(double, expected);
        pelmora::SignatureStyle style = redStyle(QStringLiteral("Sig"), text);
        style.fallbackPointSize = fallback;
        QCOMPARE(pelmora::signaturePointSize(style), expected);
    }

    void stampIsOnlyTheGlyphsInTheCorner() {
        const pelmora::SignatureStyle style = redStyle(QStringLiteral("Pelmora 2026"), "12");
        const QImage before = flatPicture(QSize(400, 300), kGrey);
        QImage image = before;
        pelmora::DrawSignature(image, stamp(style));

        QFont font(style.family);
        font.setPointSizeF(12);
        font.setBold(true);
        font.setItalic(true);
        QImage at96 = before;
        at96.setDotsPerMeterX(dotsPerMeter(96));
        at96.setDotsPerMeterY(dotsPerMeter(96));
        const QFontMetricsF metrics(font, &at96);
        const double x = 400 - metrics.horizontalAdvance(style.text) * 1.1;
        const double y = 300 - metrics.height() * 1.5;
        // the glyphs stay in the line's box (an italic slant may lean a little past it)
        const QRectF box(x - 3, y, metrics.horizontalAdvance(style.text) + 6, metrics.height());

        const QRect changed = changedArea(before, image, 0);
        QVERIFY(!changed.isEmpty());
        QVERIFY2(box.contains(QRectF(changed)), qPrintable(QStringLiteral("changed %1,%2 %3x%4")
                                                               .arg(changed.x())
                                                               .arg(changed.y())
                                                               .arg(changed.width())
                                                               .arg(changed.height())));
        QVERIFY(changed.left() > 200 && changed.top() > 150);
        int solid = 0;
        for (int py = changed.top(); py <= changed.bottom(); ++py)
            for (int px = changed.left(); px <= changed.right(); ++px) {
                const QRgb p = image.pixel(px, py);
                // anti-aliased: between the photo's grey and the stamp's red, nothing else
                QVERIFY(qRed(p) >= 128 && qGreen(p) <= 128 && qBlue(p) <= 128);
                QCOMPARE(qGreen(p), qBlue(p));
                solid += colorDistance(p, kRed.rgb()) <= 2;
            }
        QVERIFY(solid > 20);
    }

    void sameSizeWhateverTheDensity_data() {
        QTest::addColumn<int>("dpi");
        QTest::newRow("72 dpi") << 72;
        QTest::newRow("300 dpi") << 300;
        QTest::newRow("600 dpi") << 600;
    }
    void sameSizeWhateverTheDensity() {
        QFETCH(int, dpi);
        const pelmora::SignatureStyle style = redStyle(QStringLiteral("Ag"), "8");
        QImage reference = flatPicture(QSize(120, 80), kGrey);
        reference.setDotsPerMeterX(dotsPerMeter(96));
        reference.setDotsPerMeterY(dotsPerMeter(96));
        pelmora::DrawSignature(reference, stamp(style));

        QImage image = flatPicture(QSize(120, 80), kGrey);
        image.setDotsPerMeterX(dotsPerMeter(dpi));
        image.setDotsPerMeterY(dotsPerMeter(dpi));
        pelmora::DrawSignature(image, stamp(style));

        QCOMPARE(image.dotsPerMeterX(), dotsPerMeter(dpi)); // the photo's density is kept
        image.setDotsPerMeterX(reference.dotsPerMeterX());
        image.setDotsPerMeterY(reference.dotsPerMeterY());
        QCOMPARE(image, reference);
        const QRect ink = changedArea(flatPicture(QSize(120, 80), kGrey), image, 40);
        QVERIFY2(ink.height() >= 8 && ink.height() <= 13,
                 qPrintable(QString::number(ink.height())));
    }

    // Through the whole resize: a JPEG file declaring its density, stamped, against the same file
    // converted without a stamp.
    void stampOnResizedPhoto_data() {
        QTest::addColumn<int>("dpi");
        QTest::newRow("72 dpi") << 72;
        QTest::newRow("600 dpi") << 600;
    }
    void stampOnResizedPhoto() {
        QFETCH(int, dpi);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QImage photo = flatPicture(QSize(640, 480), kGrey);
        photo.setDotsPerMeterX(dotsPerMeter(dpi));
        photo.setDotsPerMeterY(dotsPerMeter(dpi));
        const QByteArray bytes = encode(photo, "jpeg", 95);
        const QString plain = dir.filePath(QStringLiteral("plain.jpg"));
        const QString signed_ = dir.filePath(QStringLiteral("signed.jpg"));
        QVERIFY(writeFile(plain, bytes) && writeFile(signed_, bytes));

        pelmora::ResizeSettings settings;
        settings.longerSide = QStringLiteral("250");
        settings.quality = 10;
        QVERIFY(resizeInPlace(plain, settings).converted());
        settings.signature = redStyle(QStringLiteral("Ag"), "8");
        QVERIFY(resizeInPlace(signed_, settings).converted());

        const QImage before = readImage(plain);
        const QImage after = readImage(signed_);
        QCOMPARE(after.size(), QSize(250, 187));
        const QRect changed = changedArea(before, after, 24);
        QVERIFY(!changed.isEmpty());
        QVERIFY2(changed.left() > 200 && changed.top() > 150 && changed.right() < 249 &&
                     changed.bottom() < 186,
                 qPrintable(QStringLiteral("changed %1,%2 %3x%4")
                                .arg(changed.x())
                                .arg(changed.y())
                                .arg(changed.width())
                                .arg(changed.height())));
        QVERIFY2(changed.height() >= 8 && changed.height() <= 14,
                 qPrintable(QString::number(changed.height())));
        bool red = false;
        for (int y = changed.top(); y <= changed.bottom(); ++y)
            for (int x = changed.left(); x <= changed.right(); ++x)
                red = red || (qRed(after.pixel(x, y)) > 180 && qGreen(after.pixel(x, y)) < 80);
        QVERIFY(red);
    }
};

QTEST_MAIN(TestSignature)
#include "tst_signature.moc"
