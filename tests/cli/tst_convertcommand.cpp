#include "files.h"
#include "metadata.h"
#include "photos.h"
#include "process.h"

#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

Run runConvert(const QStringList &arguments, const QString &workingDirectory) {
    return runProgram(app(), QStringList{"convert"} + arguments, 120000, workingDirectory);
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
    void metadataOptions_data();
    void metadataOptions();
    void inPlaceWithoutRenaming();
    void outputFolderUnderAFile();
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
    QTest::newRow("resize text") << QStringList{"--out", "out", "--resize", "big", "a.jpg"}
                                 << "--resize";
    QTest::newRow("resize zero") << QStringList{"--out", "out", "--resize", "0", "a.jpg"}
                                 << "--resize";
    QTest::newRow("point text") << QStringList{"--out", "out", "--point", "x", "a.jpg"}
                                << "--point";
    QTest::newRow("colour name") << QStringList{"--out", "out", "--color", "red", "a.jpg"}
                                 << "--color";
    QTest::newRow("out and in place")
        << QStringList{"--out", "out", "--in-place", "a.jpg"} << "--in-place";
    QTest::newRow("keep location and strip metadata")
        << QStringList{"--out", "out", "--keep-location", "--strip-metadata", "a.jpg"}
        << "--strip-metadata";
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

void TestConvertCommand::metadataOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("dateTaken");
    QTest::addColumn<bool>("location");
    QTest::newRow("resized: when, not where") << QStringList{"--resize", "16"} << true << false;
    QTest::newRow("resized, --keep-location")
        << QStringList{"--resize", "16", "--keep-location"} << true << true;
    QTest::newRow("resized, --strip-metadata")
        << QStringList{"--resize", "16", "--strip-metadata"} << false << false;
    QTest::newRow("copied: every byte, whatever the option")
        << QStringList{"--strip-metadata"} << true << true;
}

void TestConvertCommand::metadataOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, dateTaken);
    QFETCH(bool, location);

    QTemporaryDir dir;
    const QByteArray photo = takenPhoto(photoBytes(1), {});
    QVERIFY(writeFile(dir.filePath("a.jpg"), photo));

    const Run run = runConvert(arguments + QStringList{"--out", "out", "a.jpg"}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QStringList written = files(dir.filePath("out"));
    QCOMPARE(written.size(), 1);
    const QByteArray output = readFile(dir.filePath("out/" + written.first()));
    if (!arguments.contains("--resize"))
        QCOMPARE(output, photo);
    const QMap<QString, QString> entries = metadataOf(output);
    QCOMPARE(entries.value("Exif.Photo.DateTimeOriginal"), dateTaken ? taken::dateTaken : "");
    QCOMPARE(entries.contains("Exif.GPSInfo.GPSLatitude"), location);
    QCOMPARE(entries.contains("Xmp.exif.GPSLatitude"), location);
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

QTEST_GUILESS_MAIN(TestConvertCommand)
#include "tst_convertcommand.moc"
