// Phone photos (HEIC, AVIF) made here by libheif's own encoder, through everything that reads a
// photo: the header reader, the photo loader and the resize, and the preview.

#include "files.h"
#include "heif.h"
#include "imagesize/imagesize.h"
#include "photos.h"
#include "picture/photoloader.h"
#include "picture/previewloader.h"
#include "picture/resizedpicture.h"
#include "picture/resizegeometry.h"
#include "process.h"

#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

using namespace testsupport;

namespace {

// Which corner of the picture as shown holds its dark quarter.
enum Corner { TopLeft, TopRight, BottomRight, BottomLeft };

// picture(size): a dark top-left quarter on a light blue; with transparency, on nothing.
QImage markedPicture(QSize size, bool transparent) {
    QImage image = picture(size).convertToFormat(QImage::Format_ARGB32);
    if (transparent) {
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (x >= size.width() / 4 || y >= size.height() / 4)
                    image.setPixel(x, y, qRgba(0, 0, 0, 0));
    }
    return image;
}

QPoint centreOf(Corner corner, QSize size) {
    const int left = size.width() / 8;
    const int right = size.width() - 1 - size.width() / 8;
    const int top = size.height() / 8;
    const int bottom = size.height() - 1 - size.height() / 8;
    switch (corner) {
    case TopLeft:
        return {left, top};
    case TopRight:
        return {right, top};
    case BottomRight:
        return {right, bottom};
    case BottomLeft:
        break;
    }
    return {left, bottom};
}

Corner opposite(Corner corner) {
    return Corner((int(corner) + 2) % 4);
}

// The dark quarter where it is expected, the light colour across from it.
void verifyMarks(const QImage &image, Corner dark, QColor light, const char *what) {
    const QRgb shade = image.pixel(centreOf(dark, image.size()));
    QVERIFY2(
        qGray(shade) < 40,
        qPrintable(QStringLiteral("%1: the dark corner is %2").arg(what, QColor(shade).name())));
    const QRgb rest = image.pixel(centreOf(opposite(dark), image.size()));
    QVERIFY2(colorDistance(rest, light.rgb()) <= 24,
             qPrintable(QStringLiteral("%1: the light corner is %2, not %3")
                            .arg(what, QColor(rest).name(), light.name())));
}

// The preview shows the picture on a white frame.
QImage onWhite(const QImage &image) {
    QImage white(image.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QPainter(&white).drawImage(0, 0, image);
    return white;
}

const QColor lightBlue(120, 160, 200);

} // namespace

class TestPhoneFormats : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir.isValid());
        if (!have("heif-enc"))
            QSKIP("heif-enc is not installed (scripts/install-deps installs libheif-examples)");
    }

    void readAsShown_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<int>("dark");
        QTest::addColumn<QColor>("light");

        const QSize stored(96, 64);
        const QByteArray png = encode(markedPicture(stored, false), "png");
        QTest::newRow("heic") << heifEncode(png, "png") << "heic" << stored << int(TopLeft)
                              << lightBlue;
        // A phone's photo: stored sideways, turned upright by irot, its EXIF orientation 6
        // saying the same again.
        const QByteArray sideways = withExifOrientation(encode(picture(stored), "jpeg", 95), 6);
        QTest::newRow("heic turned by irot and EXIF alike")
            << withHeifRotation(heifEncode(sideways, "jpg"), 3) << "heic" << stored.transposed()
            << int(TopRight) << lightBlue;
        QTest::newRow("avif turned by irot")
            << withHeifRotation(heifEncode(png, "png", {"-A"}), 1) << "avif" << stored.transposed()
            << int(BottomLeft) << lightBlue;
        const QByteArray deep =
            encode(markedPicture(stored, false).convertToFormat(QImage::Format_RGBX64), "png");
        QCOMPARE(int(deep.at(24)), 16); // the PNG's bit depth: heif-enc -b 10 needs 16
        QTest::newRow("heic 10-bit") << heifEncode(deep, "png", {"-b", "10"}) << "heic" << stored
                                     << int(TopLeft) << lightBlue;
        QTest::newRow("avif with alpha")
            << heifEncode(encode(markedPicture(stored, true), "png"), "png", {"-A"}) << "avif"
            << stored << int(TopLeft) << QColor(Qt::white);
    }

    void readAsShown() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, format);
        QFETCH(QSize, shown);
        QFETCH(int, dark);
        QFETCH(QColor, light);
        QVERIFY2(!bytes.isEmpty(), "heif-enc made no file, or its boxes were not as expected");
        const QString path = place(dir,
                                   QStringLiteral("photo-%1.%2")
                                       .arg(QTest::currentDataTag())
                                       .replace(' ', '-')
                                       .arg(format),
                                   bytes);

        const std::optional<pelmora::ImageHeader> header = pelmora::ReadImageSize(path);
        QVERIFY(header);
        QCOMPARE(QSize(header->size.Width, header->size.Height), shown);
        QCOMPARE(header->format, format);

        const pelmora::Result<pelmora::LoadedPhoto> loaded = pelmora::loadPhotoForResize(bytes, 0);
        QVERIFY2(loaded, qPrintable(loaded.reason()));
        QCOMPARE(loaded->photoSize, shown);
        QCOMPARE(loaded->image.size(), shown);
        QCOMPARE(loaded->image.format(), QImage::Format_RGB32);
        verifyMarks(loaded->image, Corner(dark), light, "loaded");

        const pelmora::Result<pelmora::ResizedPicture> resized =
            pelmora::resizePhotoBytes(bytes, {40, 95, {}});
        QVERIFY2(resized, qPrintable(resized.reason()));
        QCOMPARE(resized->size, pelmora::scaledToLongerSide(shown, 40).value());
        QVERIFY(resized->warnings.isEmpty());
        QImage written;
        QVERIFY(written.loadFromData(resized->bytes, "jpeg"));
        QCOMPARE(written.size(), resized->size);
        verifyMarks(written, Corner(dark), light, "resized");

        const std::optional<pelmora::PreviewPicture> preview =
            pelmora::loadPreviewPicture(path, QSize(285, 279));
        QVERIFY(preview);
        QCOMPARE(preview->photoSize, shown);
        QCOMPARE(preview->image.width() > preview->image.height(), shown.width() > shown.height());
        verifyMarks(onWhite(preview->image), Corner(dark), light, "preview");

        // Shared from a phone, the same photo may be named .jpg: its bytes decide.
        const QString misnamed = place(dir, QFileInfo(path).completeBaseName() + ".jpg", bytes);
        const std::optional<pelmora::PreviewPicture> again =
            pelmora::loadPreviewPicture(misnamed, QSize(285, 279));
        QVERIFY(again);
        QCOMPARE(again->photoSize, shown);
    }

    // The preview decodes the file's own thumbnail when it is at least the size shown: with the
    // primary picture's data broken, only a preview that small still shows.
    void previewFromThumbnail_data() {
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QSize>("shown"); // empty: nothing can be shown
        QTest::newRow("thumbnail large enough") << QSize(60, 60) << QSize(60, 40);
        QTest::newRow("thumbnail exactly the size") << QSize(64, 64) << QSize(64, 42);
        QTest::newRow("thumbnail too small") << QSize(100, 100) << QSize();
    }
    void previewFromThumbnail() {
        QFETCH(QSize, frame);
        QFETCH(QSize, shown);
        const QByteArray heic =
            heifEncode(encode(markedPicture(QSize(240, 160), false), "png"), "png", {"-t", "64"});
        const QByteArray broken = withFirstItemDataBroken(heic);
        QVERIFY(!broken.isEmpty());
        QVERIFY(!pelmora::loadPhotoForResize(broken, 0));
        QVERIFY(pelmora::loadPhotoForResize(heic, 0));
        const QString path = place(dir, "thumbnailed.heic", broken);
        const std::optional<pelmora::PreviewPicture> preview =
            pelmora::loadPreviewPicture(path, frame);
        QCOMPARE(preview.has_value(), !shown.isEmpty());
        if (!preview)
            return;
        QCOMPARE(preview->image.size(), shown);
        QCOMPARE(preview->photoSize, QSize(240, 160));
        verifyMarks(preview->image, TopLeft, lightBlue, "preview");
    }
};

QTEST_GUILESS_MAIN(TestPhoneFormats)
#include "tst_phonephotos.moc"
