#include "files.h"
#include "metadata.h"
#include "photos.h"
#include "picture/resizedjpeg.h"
#include "process.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;
using pelmora::MetadataPolicy;

namespace {

QSize storedSize(const QByteArray &jpeg) {
    QBuffer buffer;
    buffer.setData(jpeg);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "jpeg").size();
}

QStringList keysStartingWith(const QMap<QString, QString> &entries, const QStringList &prefixes) {
    QStringList keys;
    for (const QString &key : entries.keys())
        for (const QString &prefix : prefixes)
            if (key.startsWith(prefix))
                keys.append(key);
    return keys;
}

} // namespace

class TestMetadata : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY2(have("exiftool"), "exiftool (libimage-exiftool-perl) validates the outputs");
    }

    void carriedIntoResizedJpeg_data() {
        QTest::addColumn<QByteArray>("photo");
        QTest::addColumn<int>("policy");
        QTest::addColumn<QSize>("upright");
        QTest::addColumn<QStringList>("carried"); // of "camera", "album", "location"
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QByteArray>("icc");

        // Stored sideways (orientation 6): 320 x 240 stored is 240 x 320 upright.
        const QByteArray plain = photoBytes(7, QSize(320, 240));
        const QByteArray icc = version4IccProfile();
        const QByteArray taken = takenPhoto(plain, icc);
        const auto policy = [](MetadataPolicy p) { return int(p); };
        QTest::newRow("when and with what, not where")
            << taken << policy(MetadataPolicy::WithoutLocation) << QSize(75, 100)
            << QStringList{"camera", "album"} << false << icc;
        QTest::newRow("big-endian EXIF, SHORT dimensions")
            << takenPhoto(plain, icc, ExifLayout::Motorola)
            << policy(MetadataPolicy::WithoutLocation) << QSize(75, 100)
            << QStringList{"camera", "album"} << false << icc;
        QTest::newRow("location kept")
            << taken << policy(MetadataPolicy::WithLocation) << QSize(75, 100)
            << QStringList{"camera", "album", "location"} << false << icc;
        QTest::newRow("stripped, the colour profile stays")
            << taken << policy(MetadataPolicy::Strip) << QSize(75, 100) << QStringList{} << false
            << icc;
        // The orientation went with the EXIF, so the picture stays as stored.
        QTest::newRow("corrupt EXIF block: written without it, with a warning")
            << withCorruptExif(taken) << policy(MetadataPolicy::WithoutLocation) << QSize(100, 75)
            << QStringList{"album"} << true << icc;
        // Qt's PNG reader takes no orientation from the EXIF that Exiv2 writes into a PNG.
        QTest::newRow("PNG original") << takenPhoto(encode(picture(QSize(320, 240)), "PNG"), icc)
                                      << policy(MetadataPolicy::WithoutLocation) << QSize(100, 75)
                                      << QStringList{"camera", "album"} << false << icc;
        QTest::newRow("no metadata at all")
            << plain << policy(MetadataPolicy::WithoutLocation) << QSize(100, 75) << QStringList{}
            << false << QByteArray();
    }

    void carriedIntoResizedJpeg() {
        QFETCH(QByteArray, photo);
        QFETCH(int, policy);
        QFETCH(QSize, upright);
        QFETCH(QStringList, carried);
        QFETCH(bool, warned);
        QFETCH(QByteArray, icc);

        pelmora::ResizeOptions options;
        options.longerSide = 100;
        options.metadata = MetadataPolicy(policy);
        const pelmora::Result<pelmora::ResizedJpeg> resized =
            pelmora::resizeToJpegBytes(photo, options);
        QVERIFY2(resized, qPrintable(resized.reason()));
        QCOMPARE(storedSize(resized->bytes), upright);
        QVERIFY2(resized->warnings.isEmpty() != warned,
                 qPrintable(resized->warnings.value(0).text + resized->warnings.value(0).detail));

        const QMap<QString, QString> entries = metadataOf(resized->bytes);
        const bool camera = carried.contains("camera");
        const bool album = carried.contains("album");
        const bool location = carried.contains("location");
        QCOMPARE(entries.value("Exif.Photo.DateTimeOriginal"), camera ? taken::dateTaken : "");
        QCOMPARE(entries.value("Exif.Image.Model"), camera ? taken::cameraModel : "");
        QCOMPARE(entries.value("Iptc.Application2.Caption"), album ? taken::caption : "");
        QCOMPARE(entries.value("Xmp.dc.subject"), album ? taken::keywords : "");
        QCOMPARE(entries.contains("Exif.GPSInfo.GPSLatitude"), location && camera);
        QCOMPARE(entries.contains("Xmp.exif.GPSLatitude"), location && album);
        if (!location)
            QCOMPARE(
                keysStartingWith(entries, {"Exif.GPSInfo.", "Exif.Image.GPSTag", "Xmp.exif.GPS"}),
                QStringList{});
        QCOMPARE(keysStartingWith(entries, {"Exif.Thumbnail."}), QStringList{});
        // Nor left behind in bytes that no longer belong to anything.
        QCOMPARE(holdsTakenLatitude(resized->bytes), location && camera);
        QVERIFY(!resized->bytes.contains(takenThumbnail()));

        // Upright, and the size the pixels have.
        for (const char *key : {"Exif.Image.Orientation", "Xmp.tiff.Orientation"})
            QCOMPARE(entries.value(key, "1"), "1");
        if (camera) {
            QCOMPARE(entries.value("Exif.Photo.PixelXDimension"), QString::number(upright.width()));
            QCOMPARE(entries.value("Exif.Photo.PixelYDimension"),
                     QString::number(upright.height()));
        }
        if (album) {
            QCOMPARE(entries.value("Xmp.exif.PixelXDimension"), QString::number(upright.width()));
            QCOMPARE(entries.value("Xmp.exif.PixelYDimension"), QString::number(upright.height()));
        }

        // The original's own profile, byte for byte, whatever its version.
        QCOMPARE(iccProfileOf(resized->bytes), icc);

        const QString written =
            place(dir, QTest::currentDataTag() + QString(".jpg"), resized->bytes);
        const Run validate =
            runProgram("exiftool", {"-validate", "-error", "-warning", "-a", written});
        QCOMPARE(validate.exitCode, 0);
        QVERIFY2(validate.out.contains(
                     QRegularExpression("^Validate\\s*: OK$", QRegularExpression::MultilineOption)),
                 qPrintable(validate.out));
    }
};

QTEST_GUILESS_MAIN(TestMetadata)
#include "tst_metadata.moc"
