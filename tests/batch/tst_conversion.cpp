#include "batch/conversion.h"
#include "files.h"
#include "files/filename.h"
#include "photos.h"
#include "process.h"

#include <QTemporaryDir>
#include <QTest>

using namespace pelmora;
using namespace testsupport;

namespace {

// The folder of a test tree, written as a list entry keeps it.
QString folderOf(const QTemporaryDir &dir, const QString &relative) {
    return dir.filePath(relative) + u'/';
}

ResizeSettings smallJpeg() {
    ResizeSettings settings;
    settings.longerSide = QStringLiteral("16");
    settings.quality = 5;
    return settings;
}

} // namespace

class TestConversion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void outcomes_data();
    void outcomes();
    void copyKeepsTimeAndPermissions();
    void targetNameTakenInPlace();
    void missingSource();
    void folderOnTheList();
    void missingTargetName();
    void targetIsOwnName();
    void unsafeTargetName_data();
    void unsafeTargetName();
    void outputFolderUnusable_data();
    void outputFolderUnusable();
    void invalidFileNames_data();
    void invalidFileNames();
};

// Photo P = src/IMG_0001.jpg, target name Trip01.JPG, the output folder as the row says.
void TestConversion::outcomes_data() {
    QTest::addColumn<QString>("outputFolder"); // relative to the test folder; "" for none
    QTest::addColumn<bool>("rename");
    QTest::addColumn<bool>("resize");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("finalPath");
    QTest::addColumn<bool>("copied");

    const QString p = QStringLiteral("src/IMG_0001.jpg");
    QTest::newRow("in place, rename")
        << QString() << true << false << QStringList{"src/", "src/Trip01.JPG=photo 1"}
        << "src/Trip01.JPG" << false;
    QTest::newRow("in place, rename, resize")
        << QString() << true << true << QStringList{"src/", "src/Trip01.JPG=jpeg 16x12"}
        << "src/Trip01.JPG" << false;
    QTest::newRow("in place, resize")
        << QString() << false << true << QStringList{"src/", "src/IMG_0001.jpg=jpeg 16x12"} << p
        << false;
    QTest::newRow("in place, nothing")
        << QString() << false << false << QStringList{"src/", "src/IMG_0001.jpg=photo 1"} << p
        << false;
    QTest::newRow("existing folder, rename")
        << "out" << true << false
        << QStringList{"out/", "out/Trip01.JPG=photo 1", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/Trip01.JPG" << true;
    QTest::newRow("existing folder, rename, resize")
        << "out" << true << true
        << QStringList{"out/", "out/Trip01.JPG=jpeg 16x12", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/Trip01.JPG" << true;
    QTest::newRow("existing folder, resize")
        << "out" << false << true
        << QStringList{"out/", "out/IMG_0001.jpg=jpeg 16x12", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/IMG_0001.jpg" << true;
    QTest::newRow("existing folder, plain copy")
        << "out" << false << false
        << QStringList{"out/", "out/IMG_0001.jpg=photo 1", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/IMG_0001.jpg" << true;
    QTest::newRow("missing folder with missing parents, rename")
        << "new/deep/out" << true << false
        << QStringList{"new/",          "new/deep/",
                       "new/deep/out/", "new/deep/out/Trip01.JPG=photo 1",
                       "src/",          "src/IMG_0001.jpg=photo 1"}
        << "new/deep/out/Trip01.JPG" << true;
    QTest::newRow("folder text ending with a separator")
        << "out/" << true << false
        << QStringList{"out/", "out/Trip01.JPG=photo 1", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/Trip01.JPG" << true;
}

void TestConversion::outcomes() {
    QFETCH(QString, outputFolder);
    QFETCH(bool, rename);
    QFETCH(bool, resize);
    QFETCH(QStringList, tree);
    QFETCH(QString, finalPath);
    QFETCH(bool, copied);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/IMG_0001.jpg"), photoBytes(1)));
    if (outputFolder == u"out" || outputFolder == u"out/")
        QVERIFY(QDir().mkpath(dir.filePath("out")));

    ConversionRequest request;
    request.photo = {folderOf(dir, "src"), QStringLiteral("IMG_0001.jpg")};
    request.targetName = QStringLiteral("Trip01.JPG");
    request.outputFolder = outputFolder.isEmpty() ? QString() : dir.filePath(outputFolder);
    request.rename = rename;
    request.resize = resize;
    request.resizeSettings = smallJpeg();

    const ConversionResult result = convertPhoto(request);
    QCOMPARE(result.status, ConversionStatus::Converted);
    QVERIFY2(result.reason.isEmpty(), qPrintable(result.reason));
    QCOMPARE(describeTree(dir.path()), tree);
    QCOMPARE(QDir(dir.path()).relativeFilePath(result.finalPath), finalPath);
    QCOMPARE(result.copied, copied);
    QCOMPARE(result.renamed, rename);
    QCOMPARE(result.resized, resize);
    QCOMPARE(result.numberUsed, rename);
}

void TestConversion::copyKeepsTimeAndPermissions() {
    QTemporaryDir dir;
    const QString photo = dir.filePath("src/IMG_0001.jpg");
    QVERIFY(writeFile(photo, photoBytes(1)));
    const QDateTime taken(QDate(2020, 1, 2), QTime(3, 4, 5), Qt::UTC);
    {
        QFile file(photo);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(taken, QFileDevice::FileModificationTime));
    }
    const QFileDevice::Permissions permissions =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(photo, permissions));

    const ConversionResult result = convertPhoto({{folderOf(dir, "src"), "IMG_0001.jpg"},
                                                  "Trip01.JPG",
                                                  dir.filePath("out"),
                                                  true,
                                                  false,
                                                  {}});
    QVERIFY(result.converted());
    const QFileInfo copy(dir.filePath("out/Trip01.JPG"));
    QCOMPARE(copy.lastModified().toUTC(), taken);
    QCOMPARE(copy.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), permissions);
}

// A taken name fails the photo whole: it is neither renamed nor resized.
void TestConversion::targetNameTakenInPlace() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/IMG_0001.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("src/Trip01.JPG"), photoBytes(2)));

    const ConversionResult result = convertPhoto(
        {{folderOf(dir, "src"), "IMG_0001.jpg"}, "Trip01.JPG", QString(), true, true, smallJpeg()});
    QCOMPARE(result.status, ConversionStatus::Failed);
    QVERIFY2(result.reason.contains("already exists"), qPrintable(result.reason));
    QVERIFY(result.numberUsed);
    QVERIFY(!result.resized);
    QVERIFY(result.finalPath.isEmpty());
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"src/", "src/IMG_0001.jpg=photo 1", "src/Trip01.JPG=photo 2"}));
}

// A missing photo is reported; a stale file of its name in the output folder is not converted
// in its place.
void TestConversion::missingSource() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("out/IMG_0001.jpg"), photoBytes(2)));
    QVERIFY(QDir().mkpath(dir.filePath("src")));

    const ConversionResult result = convertPhoto({{folderOf(dir, "src"), "IMG_0001.jpg"},
                                                  "Trip01.JPG",
                                                  dir.filePath("out"),
                                                  true,
                                                  true,
                                                  smallJpeg()});
    QCOMPARE(result.status, ConversionStatus::Failed);
    QVERIFY2(result.reason.contains("not found"), qPrintable(result.reason));
    QVERIFY(result.numberUsed);
    QVERIFY(result.finalPath.isEmpty());
    QVERIFY(!result.copied && !result.renamed && !result.resized);
    QCOMPARE(describeTree(dir.path()), (QStringList{"out/", "out/IMG_0001.jpg=photo 2", "src/"}));
}

void TestConversion::folderOnTheList() {
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("src/album")));

    const ConversionResult result =
        convertPhoto({{folderOf(dir, "src"), "album"}, "Trip01.JPG", QString(), true, false, {}});
    QCOMPARE(result.status, ConversionStatus::Failed);
    QCOMPARE(describeTree(dir.path()), (QStringList{"src/", "src/album/"}));
}

// An empty target name ends the conversion before anything is written; the number is not used.
void TestConversion::missingTargetName() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/IMG_0001.jpg"), photoBytes(1)));

    const ConversionResult result = convertPhoto({{folderOf(dir, "src"), "IMG_0001.jpg"},
                                                  QString(),
                                                  dir.filePath("new/out"),
                                                  true,
                                                  true,
                                                  smallJpeg()});
    QCOMPARE(result.status, ConversionStatus::MissingTargetName);
    QVERIFY(!result.numberUsed);
    QVERIFY(!result.copied && !result.renamed && !result.resized);
    QVERIFY(!result.reason.isEmpty());
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"new/", "new/out/", "src/", "src/IMG_0001.jpg=photo 1"}));
}

void TestConversion::targetIsOwnName() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/Trip01.JPG"), photoBytes(1)));

    const ConversionResult result = convertPhoto(
        {{folderOf(dir, "src"), "Trip01.JPG"}, "Trip01.JPG", QString(), true, false, {}});
    QVERIFY(result.converted());
    QVERIFY(result.numberUsed);
    QVERIFY(!result.renamed);
    QCOMPARE(describeTree(dir.path()), (QStringList{"src/", "src/Trip01.JPG=photo 1"}));
}

void TestConversion::unsafeTargetName_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("withOutputFolder");
    for (const char *target :
         {"../x01.jpg", "../../x01.jpg", "sub/x01.jpg", "/x01.jpg", ".", ".."}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 in place").arg(target))) << target << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 into a folder").arg(target))) << target << true;
    }
}

// A title typed as "../x" never moves a photo out of its folder.
void TestConversion::unsafeTargetName() {
    QFETCH(QString, target);
    QFETCH(bool, withOutputFolder);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a/src/IMG_0001.jpg"), photoBytes(1)));
    QVERIFY(QDir().mkpath(dir.filePath("a/src/sub")));
    QVERIFY(QDir().mkpath(dir.filePath("a/out/sub")));

    const ConversionResult result =
        convertPhoto({{folderOf(dir, "a/src"), "IMG_0001.jpg"},
                      target,
                      withOutputFolder ? dir.filePath("a/out") : QString(),
                      true,
                      false,
                      {}});
    QCOMPARE(result.status, ConversionStatus::Failed);
    QVERIFY(result.numberUsed);
    QCOMPARE(describeTree(dir.path()), (QStringList{"a/", "a/out/", "a/out/sub/", "a/src/",
                                                    "a/src/IMG_0001.jpg=photo 1", "a/src/sub/"}));
}

void TestConversion::outputFolderUnusable_data() {
    QTest::addColumn<QString>("outputFolder");
    QTest::newRow("parent is a file") << "file.txt/out";
    QTest::newRow("deeper under a file") << "file.txt/a/b";
    QTest::newRow("the folder is a file") << "file.txt";
}

// An output folder that cannot be made touches no photo: no fallback to the originals.
void TestConversion::outputFolderUnusable() {
    QFETCH(QString, outputFolder);

    for (bool rename : {false, true}) {
        for (bool resize : {false, true}) {
            QTemporaryDir dir;
            QVERIFY(writeFile(dir.filePath("src/IMG_0001.jpg"), photoBytes(1)));
            QVERIFY(writeFile(dir.filePath("file.txt"), "text"));
            const QStringList before = describeTree(dir.path());

            const ConversionResult result = convertPhoto({{folderOf(dir, "src"), "IMG_0001.jpg"},
                                                          "Trip01.JPG",
                                                          dir.filePath(outputFolder),
                                                          rename,
                                                          resize,
                                                          smallJpeg()});
            QCOMPARE(result.status, ConversionStatus::OutputFolderUnusable);
            QVERIFY(!result.reason.isEmpty());
            QVERIFY(!result.numberUsed);
            QCOMPARE(describeTree(dir.path()), before);
        }
    }
}

void TestConversion::invalidFileNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "Trip01.jpg" << true;
    QTest::newRow("japanese and spaces") << QString::fromUtf8("旅行 01.jpg") << true;
    QTest::newRow("leading dots") << "..jpg" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("separator") << "a/b.jpg" << false;
    QTest::newRow("null") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << false;
}

void TestConversion::invalidFileNames() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(checkFileName(name).ok(), valid);
}

QTEST_MAIN(TestConversion)
#include "tst_conversion.moc"
