#include "files.h"
#include "metadata.h"
#include "photos.h"
#include "picture/metadatawarnings.h"
#include "picture/resizedpicture.h"
#include "process.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;
using pelmora::MetadataPolicy;
using StringMap = QMap<QString, QString>;

namespace {

// XMP a drone and a photo manager write about where a photo was taken.
QByteArray dronePlaces() {
    return " <rdf:Description rdf:about='' xmlns:drone-dji='http://www.dji.com/drone-dji/1.0/'\n"
           "   drone-dji:GpsLatitude='35.44371' drone-dji:GpsLongtitude='139.63802'\n"
           "   drone-dji:AbsoluteAltitude='+52.10' drone-dji:RelativeAltitude='+48.70'\n"
           "   drone-dji:FlightYawDegree='+12.30'/>\n"
           " <rdf:Description rdf:about=''\n"
           "   xmlns:Iptc4xmpExt='http://iptc.org/std/Iptc4xmpExt/2008-02-29/'>\n"
           "  <Iptc4xmpExt:LocationCreated>\n"
           "   <rdf:Bag>\n"
           "    <rdf:li rdf:parseType='Resource'>\n"
           "     <Iptc4xmpExt:City>Yokohama</Iptc4xmpExt:City>\n"
           "     <Iptc4xmpExt:GPSLatitude>35,26.622N</Iptc4xmpExt:GPSLatitude>\n"
           "     <Iptc4xmpExt:GPSLongitude>139,38.281E</Iptc4xmpExt:GPSLongitude>\n"
           "     <Iptc4xmpExt:GPSAltitude>52.137</Iptc4xmpExt:GPSAltitude>\n"
           "    </rdf:li>\n"
           "   </rdf:Bag>\n"
           "  </Iptc4xmpExt:LocationCreated>\n"
           "  <Iptc4xmpExt:LocationShown>\n"
           "   <rdf:Bag>\n"
           "    <rdf:li rdf:parseType='Resource'>\n"
           "     <Iptc4xmpExt:Sublocation>Osanbashi Pier</Iptc4xmpExt:Sublocation>\n"
           "     <Iptc4xmpExt:CountryName>Japan</Iptc4xmpExt:CountryName>\n"
           "     <Iptc4xmpExt:GPSLatitude>35,27.053N</Iptc4xmpExt:GPSLatitude>\n"
           "     <Iptc4xmpExt:GPSLongitude>139,38.839E</Iptc4xmpExt:GPSLongitude>\n"
           "    </rdf:li>\n"
           "   </rdf:Bag>\n"
           "  </Iptc4xmpExt:LocationShown>\n"
           " </rdf:Description>\n";
}

// What of dronePlaces() names places and how the drone flew, as Exiv2 reads it.
StringMap placeNames() {
    return {{"Xmp.iptcExt.LocationCreated[1]/Iptc4xmpExt:City", "Yokohama"},
            {"Xmp.iptcExt.LocationShown[1]/Iptc4xmpExt:Sublocation", "Osanbashi Pier"},
            {"Xmp.iptcExt.LocationShown[1]/Iptc4xmpExt:CountryName", "Japan"},
            {"Xmp.drone-dji.FlightYawDegree", "+12.30"}};
}

// Its coordinates, as Exiv2 reads them.
StringMap placeCoordinates() {
    return {{"Xmp.drone-dji.GpsLatitude", "35.44371"},
            {"Xmp.drone-dji.GpsLongtitude", "139.63802"},
            {"Xmp.drone-dji.AbsoluteAltitude", "+52.10"},
            {"Xmp.drone-dji.RelativeAltitude", "+48.70"},
            {"Xmp.iptcExt.LocationCreated[1]/Iptc4xmpExt:GPSLatitude", "35,26.622N"},
            {"Xmp.iptcExt.LocationCreated[1]/Iptc4xmpExt:GPSLongitude", "139,38.281E"},
            {"Xmp.iptcExt.LocationCreated[1]/Iptc4xmpExt:GPSAltitude", "52.137"},
            {"Xmp.iptcExt.LocationShown[1]/Iptc4xmpExt:GPSLatitude", "35,27.053N"},
            {"Xmp.iptcExt.LocationShown[1]/Iptc4xmpExt:GPSLongitude", "139,38.839E"}};
}

// The same as they stand in the packet's bytes.
QByteArrayList droneCoordinates() {
    QByteArrayList bytes;
    for (const QString &value : placeCoordinates())
        bytes.append(value.toUtf8());
    return bytes;
}

QSize storedSize(const QByteArray &jpeg) {
    QBuffer buffer;
    buffer.setData(jpeg);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "jpeg").size();
}

// What exiftool -validate finds wrong with a file: its warnings and errors, without the count.
QStringList validation(const QString &path) {
    const Run run = runProgram("exiftool", {"-validate", "-error", "-warning", "-a", "-s3", path});
    QStringList found = run.out.split('\n', Qt::SkipEmptyParts);
    found.removeFirst(); // "OK", or how many there are
    return found;
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
        QTest::addColumn<StringMap>("kept");      // further entries, with their values
        QTest::addColumn<QByteArrayList>("gone"); // in none of the output's bytes
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QString>("detail"); // in the warnings' details
        QTest::addColumn<QByteArray>("icc");

        // Stored sideways (orientation 6): 320 x 240 stored is 240 x 320 upright.
        const QByteArray plain = photoBytes(7, QSize(320, 240));
        const QByteArray icc = version4IccProfile();
        const QByteArray taken = takenPhoto(plain, icc);
        const QByteArray motorola = takenPhoto(plain, icc, ExifLayout::Motorola);
        const auto policy = [](MetadataPolicy p) { return int(p); };
        const int withoutLocation = policy(MetadataPolicy::WithoutLocation);
        const QStringList both{"camera", "album"};
        QTest::newRow("when and with what, not where")
            << taken << withoutLocation << QSize(75, 100) << both << StringMap{} << QByteArrayList{}
            << QStringList{} << QString() << icc;
        QTest::newRow("big-endian EXIF, SHORT dimensions")
            << motorola << withoutLocation << QSize(75, 100) << both << StringMap{}
            << QByteArrayList{} << QStringList{} << QString() << icc;
        QTest::newRow("location kept")
            << taken << policy(MetadataPolicy::WithLocation) << QSize(75, 100)
            << QStringList{"camera", "album", "location"} << StringMap{} << QByteArrayList{}
            << QStringList{} << QString() << icc;
        QTest::newRow("stripped, the colour profile stays")
            << taken << policy(MetadataPolicy::Strip) << QSize(75, 100) << QStringList{}
            << StringMap{} << QByteArrayList{} << QStringList{} << QString() << icc;
        // The orientation went with the EXIF, so the picture stays as stored.
        QTest::newRow("corrupt EXIF block: written without it, with a warning")
            << withCorruptExif(taken) << withoutLocation << QSize(100, 75) << QStringList{"album"}
            << StringMap{} << QByteArrayList{} << QStringList{pelmora::exifLeftOut({}).text}
            << "TIFF header" << icc;
        // Qt's PNG reader takes no orientation from the EXIF that Exiv2 writes into a PNG.
        QTest::newRow("PNG original") << takenPhoto(encode(picture(QSize(320, 240)), "PNG"), icc)
                                      << withoutLocation << QSize(100, 75) << both << StringMap{}
                                      << QByteArrayList{} << QStringList{} << QString() << icc;
        QTest::newRow("no metadata at all")
            << plain << withoutLocation << QSize(100, 75) << QStringList{} << StringMap{}
            << QByteArrayList{} << QStringList{} << QString() << QByteArray();

        // A damaged part of the EXIF costs that part, not the block.
        QTest::newRow("empty GPS pointer: the rest kept, no warning")
            << withEmptyGpsPointer(taken) << withoutLocation << QSize(75, 100) << both
            << StringMap{} << QByteArrayList{} << QStringList{} << QString() << icc;
        QTest::newRow("Exif pointer of another type: followed")
            << withExifPointerType(taken, 7) << withoutLocation << QSize(75, 100) << both
            << StringMap{{"Exif.Image.Make", "Harbour Optics"}} << QByteArrayList{} << QStringList{}
            << QString() << icc;
        QTest::newRow("pixel size stored as two values: rewritten, not left stale")
            << withPixelSizeAsTwoValues(motorola) << withoutLocation << QSize(75, 100) << both
            << StringMap{} << QByteArrayList{} << QStringList{} << QString() << icc;
        QTest::newRow("Make and ImageDescription pointing past the EXIF: they go, with a warning")
            << withEntriesPointingPast(taken) << withoutLocation << QSize(75, 100) << both
            << StringMap{{"Exif.Image.Make", "(missing)"},
                         {"Exif.Image.ImageDescription", "(missing)"},
                         {"Exif.Photo.ExposureTime", "1/250"}}
            << QByteArrayList{} << QStringList{pelmora::exifEntriesLeftOut({}).text}
            << "IFD0 entries 0x010e, 0x010f" << icc;
        QTest::newRow("Exif, GPS and IFD1 looping back to IFD0: EXIF left out, with a warning")
            << withLoopingIfds(taken) << withoutLocation << QSize(75, 100) << QStringList{"album"}
            << StringMap{} << QByteArrayList{} << QStringList{pelmora::exifLeftOut({}).text}
            << "overlap" << icc;
        QTest::newRow("EXIF continued in a second segment: read whole")
            << withExifAcrossSegments(taken, 300) << withoutLocation << QSize(75, 100) << both
            << StringMap{} << QByteArrayList{} << QStringList{} << QString() << icc;
        QTest::newRow("EXIF larger than a segment: left out, with a warning")
            << withExifAcrossSegments(taken, 0xFFFF - 8, 70000) << withoutLocation << QSize(75, 100)
            << QStringList{"album"} << StringMap{} << QByteArrayList{}
            << QStringList{pelmora::exifTooLarge({}).text} << "bytes" << icc;

        // XMP as photo managers write it, a property repeated: the first of each kept.
        const QByteArray labels =
            " <rdf:Description rdf:about='' xmlns:xmp='http://ns.adobe.com/xap/1.0/'\n"
            "   xmlns:digiKam='http://www.digikam.org/ns/1.0/'\n"
            "   xmlns:aux='http://ns.adobe.com/exif/1.0/aux/'>\n"
            "  <xmp:CreatorTool>digiKam-8.1.0</xmp:CreatorTool>\n"
            "  <xmp:Rating>4</xmp:Rating>\n"
            "  <digiKam:ColorLabel>2</digiKam:ColorLabel>\n"
            "  <aux:Lens>Harbour 24-70mm F2.8</aux:Lens>\n"
            "  <xmp:Rating>4</xmp:Rating>\n"
            "  <digiKam:ColorLabel>2</digiKam:ColorLabel>\n"
            " </rdf:Description>\n"
            " <rdf:Description rdf:about='' xmlns:xmp='http://ns.adobe.com/xap/1.0/'\n"
            "   xmp:Rating='4' xmp:Label='Blue'/>\n";
        const StringMap labelled{{"Xmp.xmp.CreatorTool", "digiKam-8.1.0"},
                                 {"Xmp.xmp.Rating", "4"},
                                 {"Xmp.xmp.Label", "Blue"},
                                 {"Xmp.digiKam.ColorLabel", "2"},
                                 {"Xmp.aux.Lens", "Harbour 24-70mm F2.8"}};
        QTest::newRow("XMP repeating properties: kept, no warning")
            << withXmpPacket(taken, albumXmpPacket(QSize(320, 240), labels)) << withoutLocation
            << QSize(75, 100) << both << labelled << QByteArrayList{} << QStringList{} << QString()
            << icc;
        // digiKam writes the photo's density, then its thumbnail's: the second is no loss.
        const QByteArray resolutions =
            " <rdf:Description rdf:about='' xmlns:exif='http://ns.adobe.com/exif/1.0/'>\n"
            "  <exif:XResolution>300</exif:XResolution>\n"
            "  <exif:ResolutionUnit>Inch</exif:ResolutionUnit>\n"
            "  <exif:XResolution>72</exif:XResolution>\n"
            "  <exif:ResolutionUnit>Inch</exif:ResolutionUnit>\n"
            " </rdf:Description>\n";
        StringMap firstKept = labelled;
        firstKept.insert("Xmp.exif.XResolution", "300");
        QTest::newRow("XMP repeating the density with another value: the first kept, no warning")
            << withXmpPacket(taken, albumXmpPacket(QSize(320, 240), labels + resolutions))
            << withoutLocation << QSize(75, 100) << both << firstKept << QByteArrayList{}
            << QStringList{} << QString() << icc;
        const QByteArray relabelled =
            " <rdf:Description rdf:about='' xmlns:xmp='http://ns.adobe.com/xap/1.0/'>\n"
            "  <xmp:CreatorTool>digiKam-8.1.0</xmp:CreatorTool>\n"
            "  <xmp:Label>Red</xmp:Label>\n"
            "  <xmp:CreatorTool>Darktable 4.2</xmp:CreatorTool>\n"
            " </rdf:Description>\n";
        QTest::newRow("XMP repeating a property with another value: the first kept, a warning")
            << withXmpPacket(taken, albumXmpPacket(QSize(320, 240), relabelled)) << withoutLocation
            << QSize(75, 100) << both
            << StringMap{{"Xmp.xmp.CreatorTool", "digiKam-8.1.0"}, {"Xmp.xmp.Label", "Red"}}
            << QByteArrayList{} << QStringList{pelmora::xmpRepeatsDropped({}).text}
            << "xmp:CreatorTool" << icc;

        // Photoshop continues XMP too large for one segment in extended segments, which Exiv2
        // does not read: the main packet is kept without its reference to them.
        const QByteArray guid = "D972DC24E6B1B3A1ABA3BD33290E55EC";
        const QByteArray note = " <rdf:Description rdf:about=''\n"
                                "   xmlns:xmpNote='http://ns.adobe.com/xmp/note/'\n"
                                "   xmpNote:HasExtendedXMP='" +
                                guid + "'/>\n";
        const QByteArray history = " <rdf:Description rdf:about=''\n"
                                   "   xmlns:photoshop='http://ns.adobe.com/photoshop/1.0/'\n"
                                   "   photoshop:ColorMode='3'/>\n";
        const QByteArray extended =
            withXmpExtension(withXmpPacket(taken, albumXmpPacket(QSize(320, 240), note)), guid,
                             albumXmpPacket(QSize(320, 240), history));
        QTest::newRow("XMP continued in extended segments: the main packet kept, a warning")
            << extended << withoutLocation << QSize(75, 100) << both << StringMap{}
            << QByteArrayList{"HasExtendedXMP"}
            << QStringList{pelmora::xmpExtensionLeftOut({}).text} << QString(guid) << icc;

        // Every coordinate, wherever the XMP holds it; the names of places stay.
        const QByteArray places =
            withXmpPacket(taken, albumXmpPacket(QSize(320, 240), dronePlaces()));
        QTest::newRow("coordinates in any XMP namespace removed, place names kept")
            << places << withoutLocation << QSize(75, 100) << both << placeNames()
            << droneCoordinates() << QStringList{} << QString() << icc;
        StringMap everything = placeNames();
        everything.insert(placeCoordinates());
        QTest::newRow("coordinates in any XMP namespace kept with the location")
            << places << policy(MetadataPolicy::WithLocation) << QSize(75, 100)
            << QStringList{"camera", "album", "location"} << everything << QByteArrayList{}
            << QStringList{} << QString() << icc;
    }

    void carriedIntoResizedJpeg() {
        QFETCH(QByteArray, photo);
        QFETCH(int, policy);
        QFETCH(QSize, upright);
        QFETCH(QStringList, carried);
        QFETCH(StringMap, kept);
        QFETCH(QByteArrayList, gone);
        QFETCH(QStringList, warnings);
        QFETCH(QString, detail);
        QFETCH(QByteArray, icc);

        pelmora::ResizeOptions options;
        options.longerSide = 100;
        options.metadata = MetadataPolicy(policy);
        const pelmora::Result<pelmora::ResizedPicture> resized =
            pelmora::resizePhotoBytes(photo, options);
        QVERIFY2(resized, qPrintable(resized.reason()));
        QCOMPARE(storedSize(resized->bytes), upright);

        // One sentence of ours per kind of problem, the library's or the editor's words beside it.
        QStringList texts, details;
        for (const pelmora::Warning &warning : resized->warnings) {
            texts.append(warning.text);
            details.append(warning.detail);
        }
        QVERIFY2(texts == warnings, qPrintable(texts.join(" / ") + " | " + details.join(" / ")));
        QVERIFY2(details.join('\n').contains(detail), qPrintable(details.join('\n')));
        for (const QString &d : std::as_const(details))
            QVERIFY(!d.isEmpty());

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
        for (auto it = kept.cbegin(); it != kept.cend(); ++it)
            QCOMPARE(entries.value(it.key(), "(missing)"), it.value());
        // Nor left behind in bytes that no longer belong to anything.
        QCOMPARE(holdsTakenLatitude(resized->bytes), location && camera);
        QVERIFY(!resized->bytes.contains(takenThumbnail()));
        for (const QByteArray &bytes : gone)
            QVERIFY2(!resized->bytes.contains(bytes), bytes.constData());

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

        // A valid JPEG, whatever the original's faults.
        const QString name = QTest::currentDataTag();
        const QString written = place(dir, name + ".jpg", resized->bytes);
        QCOMPARE(validation(written), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestMetadata)
#include "tst_metadata.moc"
