#include "builders.h"
#include "files.h"
#include "heif.h"
#include "metadata.h"
#include "photos.h"
#include "process.h"

#include <QDir>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

Run runConvert(const QStringList &arguments, const QString &workingDirectory) {
    return runProgram(app(), QStringList{"convert"} + arguments, 120000, workingDirectory);
}

// What exiftool reads of a file: "GROUP:Tag" to its value, numbers as numbers.
QMap<QString, QString> exiftoolTags(const QString &path) {
    const Run run = runProgram("exiftool", {"-j", "-G1", "-n", "-a", path});
    const QJsonObject tags = QJsonDocument::fromJson(run.out.toUtf8()).array().first().toObject();
    QMap<QString, QString> values;
    for (auto it = tags.begin(); it != tags.end(); ++it)
        values.insert(it.key(), it.value().toVariant().toString());
    return values;
}

// How many warnings and errors `exiftool -validate` finds in a file.
int validationWarnings(const QString &path) {
    const Run run = runProgram("exiftool", {"-validate", "-s3", "-Validate", path});
    return run.out.trimmed() == "OK" ? 0 : run.out.section(u' ', 0, 0).toInt();
}

QString lastLine(const QString &text) {
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last();
}

} // namespace

class TestConvertCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void usageErrors_data();
    void usageErrors();
    void refusesOriginalsWithoutInPlace();
    void allConverted();
    void someFailed();
    void resizeDefaultsToJpgExtension_data();
    void resizeDefaultsToJpgExtension();
    void eachPhotoSaidOnce_data();
    void eachPhotoSaidOnce();
    void resizedPhotos_data();
    void resizedPhotos();
    void inPlaceWithoutRenaming();
    void outputFolderUnderAFile();
    void missingTargetName();
    void photosAsNamed_data();
    void photosAsNamed();
    void runs_data();
    void runs();
};

void TestConvertCommand::initTestCase() {
    QVERIFY2(QFileInfo(app()).isExecutable(), "PELMORA_APP must name the pelmora executable");
}

void TestConvertCommand::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << "no photos";
    QTest::newRow("no files") << QStringList{"--out", "out"} << "no photos";
    QTest::newRow("unknown option") << QStringList{"--out", "out", "--bogus", "a.jpg"} << "bogus";
    QTest::newRow("missing value") << QStringList{"--out", "out", "a.jpg", "--title"} << "title";
    QTest::newRow("quality 0") << QStringList{"--out", "out", "--quality", "0", "a.jpg"}
                               << "--quality";
    QTest::newRow("quality 11") << QStringList{"--out", "out", "--quality", "11", "a.jpg"}
                                << "--quality";
    QTest::newRow("quality text") << QStringList{"--out", "out", "--quality", "high", "a.jpg"}
                                  << "--quality";
    QTest::newRow("quality with a fraction: refused, not rounded")
        << QStringList{"--out", "out", "--quality", "5.5", "a.jpg"}
        << "--quality wants a whole number from 1 to 10, not \"5.5\"";
    QTest::newRow("resize with a fraction")
        << QStringList{"--out", "out", "--resize", "250.5", "a.jpg"} << "not \"250.5\"";
    QTest::newRow("resize text") << QStringList{"--out", "out", "--resize", "big", "a.jpg"}
                                 << "--resize";
    QTest::newRow("resize zero") << QStringList{"--out", "out", "--resize", "0", "a.jpg"}
                                 << "--resize";
    QTest::newRow("resize above the largest")
        << QStringList{"--out", "out", "--resize", "10001", "a.jpg"} << "from 1 to 10000";
    QTest::newRow("point text") << QStringList{"--out", "out", "--point", "x", "a.jpg"}
                                << "--point";
    QTest::newRow("colour name") << QStringList{"--out", "out", "--color", "red", "a.jpg"}
                                 << "--color";
    QTest::newRow("out and in place")
        << QStringList{"--out", "out", "--in-place", "a.jpg"} << "--in-place";
    QTest::newRow("a single dash")
        << QStringList{"--out", "out", "-signature", "X", "a.jpg"} << "Unknown options";
    QTest::newRow("keep location and strip metadata")
        << QStringList{"--out", "out", "--keep-location", "--strip-metadata", "a.jpg"}
        << "--strip-metadata";
    QTest::newRow("verbose and quiet")
        << QStringList{"--out", "out", "--verbose", "--quiet", "a.jpg"} << "--quiet";
}

void TestConvertCommand::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), photoBytes(1)));
    const QStringList before = describeTree(dir.path());

    const Run run = runConvert(arguments, dir.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(describeTree(dir.path()), before);
}

void TestConvertCommand::refusesOriginalsWithoutInPlace() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), photoBytes(1)));

    const Run run = runConvert({"--resize", "16", "a.jpg"}, dir.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("--out") && run.err.contains("--in-place"), qPrintable(run.err));
    QCOMPARE(describeTree(dir.path()), QStringList{"a.jpg=photo 1"});
}

// Relative paths, the order given, the default title and number.
void TestConvertCommand::allConverted() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/b.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("src/a.jpg"), photoBytes(2)));

    const Run run = runConvert({"--out", "out", "src/b.jpg", "src/a.jpg"}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(lastLine(run.out), "converted 2, failed 0, next number 03");
    QVERIFY2(!run.err.contains(u'\r'), "no progress bar when standard error is not a terminal");
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"out/", "out/Untitled01.jpg=photo 1", "out/Untitled02.jpg=photo 2",
                          "src/", "src/a.jpg=photo 2", "src/b.jpg=photo 1"}));
}

void TestConvertCommand::someFailed() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("c.jpg"), photoBytes(3)));

    const Run run = runConvert(
        {"--out", "out", "--title", "Trip", "--number", "09", "a.jpg", "missing.jpg", "c.jpg"},
        dir.path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(lastLine(run.out), "converted 2, failed 1, next number 12");
    QVERIFY2(run.err.contains(dir.filePath("missing.jpg") + ": photo not found"),
             qPrintable(run.err));
    QCOMPARE(describeTree(dir.path() + "/out"),
             (QStringList{"Trip09.jpg=photo 1", "Trip11.jpg=photo 3"}));
}

void TestConvertCommand::resizeDefaultsToJpgExtension_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("name");
    QTest::newRow("resize alone") << QStringList{"--resize", "16"} << "Untitled01.JPG";
    QTest::newRow("resize and --ext")
        << QStringList{"--resize", "16", "--ext", "jpeg"} << "Untitled01.jpeg";
    QTest::newRow("resize, signature, quality")
        << QStringList{"--resize", "16",      "--quality", "10",      "--signature",
                       "(c)",      "--point", "10.5",      "--color", "#FF0000"}
        << "Untitled01.JPG";
}

void TestConvertCommand::resizeDefaultsToJpgExtension() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, name);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), photoBytes(1)));

    const Run run = runConvert(arguments + QStringList{"--out", "out", "a.jpg"}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(lastLine(run.out), "converted 1, failed 0, next number 02");
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"a.jpg=photo 1", "out/", "out/" + name + "=jpeg 16x12"}));
}

// A phone's photo converts like any other; a photo that fails is named once, in the command's
// words, with none of the decoders' own messages around it (but libpng's).
void TestConvertCommand::eachPhotoSaidOnce_data() {
    QTest::addColumn<QByteArray>("photo");
    QTest::addColumn<QString>("written"); // what out/ holds afterwards, when converted
    QTest::addColumn<QString>("reason");  // the one line said of the photo; empty: none
    QTest::addColumn<int>("exitCode");
    const QByteArray heic =
        withHeifRotation(heifEncode(encode(picture(QSize(64, 48)), "png"), "png"), 1);
    QVERIFY2(!heic.isEmpty(), "heif-enc (libheif-examples) made no HEIC");
    QTest::newRow("HEIC turned by irot") << heic << "Untitled01.JPG=jpeg 12x16" << QString() << 0;
    QByteArray badHeader = pngHeader(16, 16);
    badHeader[24] = 3; // a bit depth PNG does not have
    badHeader = badHeader.left(8) + pngChunk("IHDR", badHeader.mid(16, 13)) +
                pngChunk("IDAT", qCompress(QByteArray(16 * 49, '\0')).mid(4)) +
                pngChunk("IEND", {});
    QTest::newRow("PNG with an invalid header")
        << badHeader << QString() << "the picture's data is damaged and cannot be read" << 1;
    // Camera RAW files: the picture a decoder finds in them is a preview, not the photo.
    QTest::newRow("DNG with an 8 x 8 preview first")
        << dngFile(6000, 4000) << QString()
        << "a camera RAW file (DNG): RAW files are not converted" << 1;
    QTest::newRow("NEF-like TIFF with a thumbnail first")
        << nefLikeFile(6048, 4032) << QString()
        << "a camera RAW file (NEF): RAW files are not converted" << 1;
    QTest::newRow("JPEG cut short: converted, with a warning")
        << truncatedJpeg(photoBytes(1, QSize(640, 480))) << "Untitled01.JPG=jpeg 16x12"
        << "warning: the photo's data is damaged: converted as far as it could be read" << 0;
}

void TestConvertCommand::eachPhotoSaidOnce() {
    QFETCH(QByteArray, photo);
    QFETCH(QString, written);
    QFETCH(QString, reason);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("photo"), photo));

    const Run run = runConvert({"--out", "out", "--resize", "16", "photo"}, dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
    // libpng prints its errors itself inside Qt's PNG reader, which gives it no handler for them,
    // and there is no other hook to silence it: its line is left to it.
    lines.removeIf([](const QString &line) { return line.startsWith(u"libpng error: "); });
    QVERIFY2(lines.size() == (reason.isEmpty() ? 0 : 1), qPrintable(run.err));
    if (!reason.isEmpty())
        QVERIFY2(lines.first().startsWith(dir.filePath("photo") + ": ") &&
                     lines.first().endsWith(reason),
                 qPrintable(run.err));
    QCOMPARE(describeTree(dir.filePath("out")),
             written.isEmpty() ? QStringList() : QStringList{written});
}

// Every format a resized photo is written in, by its new name's extension: the bytes are that
// format's, upright, stamped, with the photo's metadata as the options say (read back with
// exiftool, no less valid than the photo's); what is not written, and what the metadata module's
// absence stops. A copy is the photo's every byte.
void TestConvertCommand::resizedPhotos_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("module");  // "": this build's; "missing"; "foreign": another library
    QTest::addColumn<QString>("written"); // the output's format (by its bytes) and size; "copy"
    QTest::addColumn<bool>("dateTaken");
    QTest::addColumn<bool>("location");
    QTest::addColumn<QString>("said"); // on standard error; empty: nothing
    QTest::addColumn<int>("exitCode");
    const QStringList resize{"--resize", "64"};
    QTest::newRow("JPEG: when, not where") << resize << ""
                                           << "jpeg 48x64" << true << false << "" << 0;
    QTest::newRow("JPEG, --keep-location") << resize + QStringList{"--keep-location"} << ""
                                           << "jpeg 48x64" << true << true << "" << 0;
    QTest::newRow("JPEG, --strip-metadata") << resize + QStringList{"--strip-metadata"} << ""
                                            << "jpeg 48x64" << false << false << "" << 0;
    QTest::newRow("copied: every byte, whatever the option")
        << QStringList{"--strip-metadata"} << ""
        << "copy" << true << true << "" << 0;
    for (const char *format : {"webp", "avif", "heic", "png", "tiff"})
        QTest::newRow(format) << resize + QStringList{"--ext", format} << ""
                              << QStringLiteral("%1 48x64").arg(format) << true << false << "" << 0;
    QTest::newRow("BMP: no metadata") << resize + QStringList{"--ext", "BMP"} << ""
                                      << "bmp 48x64" << false << false << "" << 0;
    QTest::newRow("GIF: not written, nothing written")
        << resize + QStringList{"--ext", "gif"} << ""
        << "" << false << false << "a.jpg: Pelmora does not write .gif pictures" << 1;
    QTest::newRow("no metadata module: stopped before the first photo")
        << resize << "missing"
        << "" << false << false
        << "pelmora convert: resized photos would lose their metadata: Pelmora's metadata module "
           "cannot be loaded"
        << 1;
    QTest::newRow("a metadata module of another version: stopped")
        << resize << "foreign"
        << "" << false << false << "a module of another version" << 1;
    QTest::newRow("no metadata module, --strip-metadata: converted")
        << resize + QStringList{"--strip-metadata", "--ext", "webp"} << "missing"
        << "webp 48x64" << false << false << "" << 0;
}

void TestConvertCommand::resizedPhotos() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, module);
    QFETCH(QString, written);
    QFETCH(bool, dateTaken);
    QFETCH(bool, location);
    QFETCH(QString, said);
    QFETCH(int, exitCode);

    TestFolder dir;
    // Stored sideways (orientation 6), its dark corner at the top right once upright.
    const QByteArray photo = takenPhoto(encode(picture(QSize(64, 48)), "JPEG"), {});
    dir.place("a.jpg", photo);
    QString program = app();
    if (!module.isEmpty()) { // a copy outside the build folder finds no module of the build's
        program = dir.filePath("installed/bin/pelmora");
        QVERIFY(QDir().mkpath(dir.filePath("installed/bin")) && QFile::copy(app(), program));
        if (module == "foreign")
            dir.place("installed/bin/" PELMORA_MODULE_FROM_PROGRAM,
                      readFile(qEnvironmentVariable("PELMORA_FAULTS")));
    }

    const Run run = runProgram(
        program,
        QStringList{"convert", "--signature", "WW", "--point", "12", "--color", "#FF0000"} +
            arguments + QStringList{"--out", "out", "a.jpg"},
        120000, dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(said.isEmpty() ? run.err.isEmpty() : run.err.contains(said), qPrintable(run.err));
    const QStringList outputs = files(dir.filePath("out"));
    if (written.isEmpty()) {
        QCOMPARE(outputs, QStringList{});
        return;
    }
    QCOMPARE(outputs.size(), 1);
    const QString output = dir.filePath("out/" + outputs.first());
    if (written == "copy") {
        QCOMPARE(readFile(output), photo);
    } else {
        QImageReader reader(output);
        reader.setDecideFormatFromContent(true);
        reader.setAutoTransform(false); // upright in its pixels, not by a tag
        const QString format = QString::fromLatin1(reader.format());
        const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(QStringLiteral("%1 %2x%3").arg(format).arg(image.width()).arg(image.height()),
                 written);
        const auto dark = [&](int x, int y) { return qBlue(image.pixel(x, y)) < 80; };
        QVERIFY(dark(image.width() - 4, 3) && !dark(3, 3) && !dark(3, image.height() - 4));
        bool stamped = false; // red text in the lower right corner
        for (int y = image.height() / 2; y < image.height(); ++y)
            for (int x = image.width() / 2; x < image.width(); ++x)
                stamped =
                    stamped || (qRed(image.pixel(x, y)) > 150 && qBlue(image.pixel(x, y)) < 110);
        QVERIFY(stamped);
    }

    // exiftool reads the metadata back, and finds no more wrong with it than with the photo's.
    const QMap<QString, QString> tags = exiftoolTags(output);
    const QStringList keys = tags.keys();
    QCOMPARE(tags.value("ExifIFD:DateTimeOriginal"), dateTaken ? taken::dateTaken : "");
    QCOMPARE(tags.values().contains(taken::caption), dateTaken);
    QCOMPARE(!keys.filter("GPS").isEmpty(), location);
    QCOMPARE(tags.value("IFD0:Orientation", "1"), written == "copy" ? "6" : "1");
    QVERIFY2(validationWarnings(output) <= validationWarnings(dir.filePath("a.jpg")),
             qPrintable(runProgram("exiftool", {"-validate", "-warning", "-a", output}).out));
}

void TestConvertCommand::inPlaceWithoutRenaming() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), photoBytes(1)));

    const Run run = runConvert(
        {"--in-place", "--no-rename", "--number", "09", "--resize", "16", "a.jpg"}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(lastLine(run.out), "converted 1, failed 0, next number 09");
    QCOMPARE(describeTree(dir.path()), QStringList{"a.jpg=jpeg 16x12"});
}

void TestConvertCommand::outputFolderUnderAFile() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("file.txt"), "text"));
    const QStringList before = describeTree(dir.path());

    const Run run = runConvert({"--out", "file.txt/out", "--resize", "16", "a.jpg"}, dir.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("no photo was touched"), qPrintable(run.err));
    QCOMPARE(describeTree(dir.path()), before);
}

// A pattern that leaves a photo without a name: said in the command line's English.
void TestConvertCommand::missingTargetName() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("noext"), photoBytes(1)));
    const Run run = runConvert({"--in-place", "--title", "", "--number", "", "noext"}, dir.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(dir.filePath("noext") + ": no target name"), qPrintable(run.err));
    static const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{9FFF}]"));
    QVERIFY2(!run.err.contains(japanese), qPrintable(run.err));
    QCOMPARE(describeTree(dir.path()), QStringList{"noext=photo 1"});
}

// Every argument after "--" is a photo, whatever it looks like; a name that is no UTF-8 fails
// alone, said so, and the rest go on.
void TestConvertCommand::photosAsNamed_data() {
    QTest::addColumn<QString>("name"); // as the shell writes it for printf
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("said");
    QTest::newRow("-h") << "-h"
                        << "converted 2, failed 0"
                        << "";
    QTest::newRow("--help") << "--help"
                            << "converted 2, failed 0"
                            << "";
    QTest::newRow("Latin-1 cafe") << "caf\\351.jpg"
                                  << "converted 1, failed 1"
                                  << "is not valid UTF-8";
}

void TestConvertCommand::photosAsNamed() {
    QFETCH(QString, name);
    QFETCH(QString, summary);
    QFETCH(QString, said);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), photoBytes(1)));
    // The shell names the file and hands the name over byte for byte.
    const QString script = QStringLiteral("n=\"$(printf %b \"$1\")\"; cp -- a.jpg \"$n\" && exec "
                                          "\"$0\" convert --out out -- a.jpg \"$n\"");
    const Run run =
        runProgram(QStringLiteral("sh"), {"-c", script, app(), name}, 120000, dir.path());
    QVERIFY2(run.out.contains(summary), qPrintable(run.out + run.err));
    QVERIFY2(said.isEmpty() ? run.err.isEmpty() : run.err.contains(said), qPrintable(run.err));
    QCOMPARE(run.exitCode, said.isEmpty() ? 0 : 1);
    QCOMPARE(describeTree(dir.path() + "/out").size(), summary.startsWith("converted 2") ? 2 : 1);
    runProgram(QStringLiteral("rm"), {"-rf", dir.path()}); // names Qt cannot spell
}

// One batch in a prepared folder: the photos its arguments name (folders read as the photo list
// takes a drop of them), what is converted, and what is said on which stream. "{dir}" is the
// folder; the progress bar shows only when standard error is a terminal.
void TestConvertCommand::runs_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("terminal");   // standard error a pseudo-terminal, not a pipe
    QTest::addColumn<QStringList>("out"); // the lines on standard output
    QTest::addColumn<QStringList>("err"); // the lines on standard error, the progress bar aside
    QTest::addColumn<bool>("bar");
    QTest::addColumn<QStringList>("written"); // out/ afterwards
    QTest::addColumn<int>("exitCode");

    QTest::newRow("a folder: its pictures by name, letter case aside, no hidden or other file")
        << QStringList{"--out", "out", "src"} << false
        << QStringList{"converted 3, failed 0, next number 04"} << QStringList{} << false
        << QStringList{"Untitled01.JPG=photo 2", "Untitled02.jpg=photo 1",
                       "Untitled03.png=bytes:" + sha1(encode(picture(QSize(8, 6)), "png"))}
        << 0;
    QTest::newRow("--recursive: each folder after the one it is in; no link, no hidden folder")
        << QStringList{"--recursive", "--out", "out", "src"} << false
        << QStringList{"converted 5, failed 0, next number 06"} << QStringList{} << false
        << QStringList{"Untitled01.JPG=photo 2", "Untitled02.jpg=photo 1",
                       "Untitled03.png=bytes:" + sha1(encode(picture(QSize(8, 6)), "png")),
                       "Untitled04.jpg=photo 4", "Untitled05.jpg=photo 3"}
        << 0;
    QTest::newRow("a folder with no picture is said, the rest converts")
        << QStringList{"--out", "out", "empty", "src/b.jpg"} << false
        << QStringList{"converted 1, failed 1, next number 02"}
        << QStringList{"{dir}/empty: no picture in this folder"} << false
        << QStringList{"Untitled01.jpg=photo 1"} << 1;
    QTest::newRow("--recursive: a name that is no UTF-8, a folder that cannot be read: failures")
        << QStringList{"--recursive", "--out", "out", "mixed"} << false
        << QStringList{"converted 1, failed 2, next number 02"}
        << QStringList{"{dir}/mixed/caf\uFFFD.jpg: the name is not valid UTF-8, so pelmora "
                       "cannot open the photo",
                       "{dir}/mixed/locked: the folder cannot be read: Permission denied"}
        << false << QStringList{"Untitled01.jpg=photo 1"} << 1;
    QTest::newRow("--dry-run --recursive: the same failures, said the same way")
        << QStringList{"--dry-run", "--recursive", "--out", "out", "mixed"} << false
        << QStringList{"would create the folder {dir}/out",
                       "{dir}/mixed/ok.jpg \u2192 {dir}/out/Untitled01.jpg",
                       "would convert 1, fail 2, next number 02"}
        << QStringList{"{dir}/mixed/caf\uFFFD.jpg: the name is not valid UTF-8, so pelmora "
                       "cannot open the photo",
                       "{dir}/mixed/locked: the folder cannot be read: Permission denied"}
        << false << QStringList{} << 1;
    QTest::newRow("a terminal: the progress bar, as a pipe shows none")
        << QStringList{"--out", "out", "src/b.jpg", "src/a.JPG"} << true
        << QStringList{"converted 2, failed 0, next number 03"} << QStringList{} << true
        << QStringList{"Untitled01.jpg=photo 1", "Untitled02.JPG=photo 2"} << 0;
    QTest::newRow("--verbose: old \u2192 new for each photo converted")
        << QStringList{"--verbose", "--out", "out", "src/b.jpg", "missing.jpg", "src/a.JPG"}
        << false
        << QStringList{"{dir}/src/b.jpg \u2192 {dir}/out/Untitled01.jpg",
                       "{dir}/src/a.JPG \u2192 {dir}/out/Untitled03.JPG",
                       "converted 2, failed 1, next number 04"}
        << QStringList{"{dir}/missing.jpg: photo not found"} << false
        << QStringList{"Untitled01.jpg=photo 1", "Untitled03.JPG=photo 2"} << 1;
    QTest::newRow("--quiet on a terminal: the failures alone; no bar, warning or summary")
        << QStringList{"--quiet", "--resize", "16", "--out", "out", "cut.jpg", "missing.jpg"}
        << true << QStringList{} << QStringList{"{dir}/missing.jpg: photo not found"} << false
        << QStringList{"Untitled01.JPG=jpeg 16x12"} << 1;
    QTest::newRow("a photo its header shows too large: said first, once; the others converted")
        << QStringList{"--resize",  "16",          "--out",    "out",
                       "src/b.jpg", "missing.jpg", "huge.png", "src/a.JPG"}
        << false << QStringList{"converted 2, failed 2, next number 05"}
        << QStringList{"{dir}/huge.png: the picture is too large (20000 x 20000)",
                       "{dir}/missing.jpg: photo not found"}
        << false << QStringList{"Untitled01.JPG=jpeg 16x12", "Untitled04.JPG=jpeg 16x12"} << 1;
    QTest::newRow("--dry-run: the plan of each photo in order, what fails and why")
        << QStringList{"--dry-run", "--out", "out", "src/b.jpg", "missing.jpg", "src/a.JPG"}
        << false
        << QStringList{"would create the folder {dir}/out",
                       "{dir}/src/b.jpg \u2192 {dir}/out/Untitled01.jpg",
                       "{dir}/missing.jpg: would fail: photo not found",
                       "{dir}/src/a.JPG \u2192 {dir}/out/Untitled03.JPG",
                       "would convert 2, fail 1, next number 04"}
        << QStringList{} << false << QStringList{} << 1;
    QTest::newRow("--dry-run in place: the format, the photos to the trash; no picture, RAW, too "
                  "large")
        << QStringList{"--dry-run", "--in-place",    "--resize",  "16",
                       "--ext",     "webp",          "src/b.jpg", "src/a.JPG",
                       "huge.png",  "src/notes.jpg", "raw.dng"}
        << false
        << QStringList{"{dir}/src/b.jpg \u2192 {dir}/src/Untitled01.webp, written as WebP, and the "
                       "photo goes to the trash",
                       "{dir}/src/a.JPG \u2192 {dir}/src/Untitled02.webp, written as WebP, and the "
                       "photo goes to the trash",
                       "{dir}/huge.png: would fail: the picture is too large (20000 x 20000)",
                       "{dir}/src/notes.jpg: would fail: not a picture that can be read",
                       "{dir}/raw.dng: would fail: a camera RAW file (DNG): RAW files are not "
                       "converted",
                       "would convert 2, fail 3, next number 06"}
        << QStringList{} << false << QStringList{} << 1;
}

// Whatever the table says, a dry run changes nothing (no file, no folder, no undo record), and
// the conversion run after it does what it said.
void TestConvertCommand::runs() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, terminal);
    QFETCH(QStringList, out);
    QFETCH(QStringList, err);
    QFETCH(bool, bar);
    QFETCH(QStringList, written);
    QFETCH(int, exitCode);

    TestFolder dir;
    dir.place("src/b.jpg", photoBytes(1));
    dir.place("src/a.JPG", photoBytes(2));
    dir.place("src/c.png", encode(picture(QSize(8, 6)), "png"));
    dir.place("src/.hidden.jpg", photoBytes(5));
    dir.place("src/notes.jpg", "not a picture\n");
    dir.place("src/sub/d.jpg", photoBytes(4));
    dir.place("src/.thumbnails/e.jpg", photoBytes(5));
    dir.place("elsewhere/f.jpg", photoBytes(5));
    QVERIFY(QFile::link(dir.filePath("elsewhere"), dir.filePath("src/link")));
    dir.place("src/zz/g.jpg", photoBytes(3));
    dir.place("cut.jpg", truncatedJpeg(photoBytes(1, QSize(640, 480))));
    dir.place("huge.png", hugePng(20000, 20000));
    QVERIFY(QDir(dir.path()).mkdir("empty"));
    dir.place("raw.dng", dngFile(6000, 4000));
    // An old camera's Latin-1 names (a photo, and a file that is none), and a folder nobody reads.
    dir.place("mixed/ok.jpg", photoBytes(1));
    QVERIFY(writeFileNamed(dir.filePath("mixed"), "caf\xE9.jpg", photoBytes(2)));
    QVERIFY(writeFileNamed(dir.filePath("mixed"), "\xE9t\xE9.txt", "not a picture\n"));
    dir.place("mixed/locked/x.jpg", photoBytes(3));
    QVERIFY(QFile::setPermissions(dir.filePath("mixed/locked"), QFileDevice::Permissions()));
    const auto removed = qScopeGuard([&dir] { removeTree(dir.path()); });

    RunOptions options;
    options.workingDirectory = dir.path();
    options.terminal = terminal;
    options.timeoutMs = 120000;
    const QString journals = qEnvironmentVariable("XDG_DATA_HOME") + "/pelmora/undo/command-line";
    const QStringList before = describeTree(dir.path());
    const QStringList recordsBefore = allNames(journals);
    // Root reads every folder; without the two capabilities that let it, a folder of mode 000
    // is as closed to it as to anyone else.
    const auto convert = [&options](const QStringList &arguments) {
        const QStringList command = QStringList{"convert"} + arguments;
        if (!isRoot())
            return runProgram(app(), command, options);
        return runProgram("setpriv",
                          QStringList{"--bounding-set", "-dac_override,-dac_read_search", app()} +
                              command,
                          options);
    };
    const Run run = convert(arguments);
    QCOMPARE(run.exitCode, exitCode);
    const bool dryRun = arguments.contains(QStringLiteral("--dry-run"));
    if (dryRun) {
        QCOMPARE(describeTree(dir.path()), before);
        QCOMPARE(allNames(journals), recordsBefore);
    }

    const auto lines = [](const QString &text) {
        return QString(text).replace("\r\n", "\n").split(u'\n', Qt::SkipEmptyParts);
    };
    QCOMPARE(lines(run.out), out.replaceInStrings("{dir}", dir.path()));
    // The bar redraws one line: a carriage return, then "[####...] DONE/COUNT".
    static const QRegularExpression drawn(QStringLiteral("\r\\[[# ]{30}\\] \\d+/\\d+"));
    QString said = run.err;
    said.remove(drawn);
    QCOMPARE(lines(said), err.replaceInStrings("{dir}", dir.path()));
    QCOMPARE(run.err.contains(QStringLiteral("\r[%1] 2/2").arg(QString(30, u'#'))), bar);
    QCOMPARE(run.err.contains(drawn), bar);
    QCOMPARE(describeTree(dir.filePath("out"), {1, 2, 3, 4, 5}), written);
    if (!dryRun)
        return;

    QStringList real = arguments;
    real.replaceInStrings(QStringLiteral("--dry-run"), QStringLiteral("--verbose"));
    const Run converted = convert(real);
    // The dry run's lines as the conversion says them; what is not read is said alike by both.
    QStringList planned = lines(run.err);
    for (const QString &line : lines(run.out)) {
        if (line.contains(u'\u2192'))
            planned.append(line.section(QStringLiteral(", "), 0, 0));
        else if (line.contains(QStringLiteral(": would fail: ")))
            planned.append(QString(line).remove(QStringLiteral("would fail: ")));
    }
    QStringList done = lines(converted.out).filter(QStringLiteral("\u2192")) + lines(converted.err);
    std::sort(planned.begin(), planned.end());
    std::sort(done.begin(), done.end());
    QCOMPARE(done, planned);
}

QTEST_GUILESS_MAIN(TestConvertCommand)
#include "tst_convertcommand.moc"
