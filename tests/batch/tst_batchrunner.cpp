#include "batch/batchrunner.h"
#include "batch/resizetojpeg.h"
#include "builders.h"
#include "files.h"
#include "files/filename.h"
#include "photos.h"
#include "picture/imagelimits.h"
#include "process.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace pelmora;
using namespace testsupport;

namespace {

PhotoEntry entryIn(const QTemporaryDir &dir, const QString &relativeFolder, const QString &name) {
    return {dir.filePath(relativeFolder) + u'/', name};
}

ResizeSettings smallJpeg() {
    ResizeSettings settings;
    settings.longerSide = QStringLiteral("16");
    settings.quality = 5;
    return settings;
}

BatchRequest renamingBatch(const QList<PhotoEntry> &entries, const QString &number = "01") {
    BatchRequest request;
    request.entries = entries;
    request.pattern = {QStringLiteral("Untitled"), number, QString()};
    request.rename = true;
    return request;
}

struct Recorded {
    QList<qsizetype> indexes;
    QStringList targets;
    QStringList numbers;
    bool allOnCallingThread = true;
};

BatchProgressCallback recorder(Recorded &recorded) {
    QThread *const caller = QThread::currentThread();
    return [&recorded, caller](const BatchProgress &progress) {
        recorded.indexes.append(progress.index);
        recorded.targets.append(progress.targetName);
        recorded.numbers.append(progress.numberAfter);
        recorded.allOnCallingThread &= QThread::currentThread() == caller;
    };
}

} // namespace

class TestBatchRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onePhoto_data();
    void onePhoto();
    void copyKeepsTimeAndPermissions();
    void fileNames_data();
    void fileNames();
    void emptyList();
    void oneEntry();
    void fiveEntries();
    void renamingOff();
    void numberCrossesTen();
    void twoSourceFoldersInPlace();
    void reorderedEntries();
    void nameTakenInOutputFolder();
    void missingSourceDoesNotStopBatch();
    void outputFolderUnusable_data();
    void outputFolderUnusable();
    void unsafeTitle_data();
    void unsafeTitle();
    void sameFileTwice_data();
    void sameFileTwice();
    void cancel();
    void parallelEqualsOneByOne_data();
    void parallelEqualsOneByOne();
    void memoryBudget();
};

// The photo src/IMG_0001.jpg converted alone under the name Trip01.JPG (as the window's current
// photo is), every way the switches and the output folder allow.
void TestBatchRunner::onePhoto_data() {
    QTest::addColumn<QString>("name");         // the target name given
    QTest::addColumn<QString>("outputFolder"); // relative to the test folder; "" for none
    QTest::addColumn<bool>("rename");
    QTest::addColumn<bool>("resize");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("finalPath"); // "" when nothing was converted

    const QString trip = QStringLiteral("Trip01.JPG");
    QTest::newRow("in place, rename")
        << trip << QString() << true << false << QStringList{"src/", "src/Trip01.JPG=photo 1"}
        << "src/Trip01.JPG";
    QTest::newRow("in place, rename, resize")
        << trip << QString() << true << true << QStringList{"src/", "src/Trip01.JPG=jpeg 16x12"}
        << "src/Trip01.JPG";
    QTest::newRow("in place, resize")
        << trip << QString() << false << true << QStringList{"src/", "src/IMG_0001.jpg=jpeg 16x12"}
        << "src/IMG_0001.jpg";
    QTest::newRow("in place, nothing")
        << trip << QString() << false << false << QStringList{"src/", "src/IMG_0001.jpg=photo 1"}
        << "src/IMG_0001.jpg";
    QTest::newRow("in place, the photo's own name")
        << "IMG_0001.jpg" << QString() << true << false
        << QStringList{"src/", "src/IMG_0001.jpg=photo 1"} << "src/IMG_0001.jpg";
    QTest::newRow("existing folder, rename")
        << trip << "out" << true << false
        << QStringList{"out/", "out/Trip01.JPG=photo 1", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/Trip01.JPG";
    QTest::newRow("existing folder, rename, resize")
        << trip << "out" << true << true
        << QStringList{"out/", "out/Trip01.JPG=jpeg 16x12", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/Trip01.JPG";
    QTest::newRow("existing folder, resize")
        << trip << "out" << false << true
        << QStringList{"out/", "out/IMG_0001.jpg=jpeg 16x12", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/IMG_0001.jpg";
    QTest::newRow("existing folder, plain copy")
        << trip << "out" << false << false
        << QStringList{"out/", "out/IMG_0001.jpg=photo 1", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/IMG_0001.jpg";
    QTest::newRow("missing folder with missing parents, rename")
        << trip << "new/deep/out" << true << false
        << QStringList{"new/",          "new/deep/",
                       "new/deep/out/", "new/deep/out/Trip01.JPG=photo 1",
                       "src/",          "src/IMG_0001.jpg=photo 1"}
        << "new/deep/out/Trip01.JPG";
    QTest::newRow("folder text ending with a separator")
        << trip << "out/" << true << false
        << QStringList{"out/", "out/Trip01.JPG=photo 1", "src/", "src/IMG_0001.jpg=photo 1"}
        << "out/Trip01.JPG";
    // No name: nothing is written, the number is not used, but the folder is made all the same.
    QTest::newRow("no target name")
        << QString() << "new/out" << true << true
        << QStringList{"new/", "new/out/", "src/", "src/IMG_0001.jpg=photo 1"} << QString();
}

void TestBatchRunner::onePhoto() {
    QFETCH(QString, name);
    QFETCH(QString, outputFolder);
    QFETCH(bool, rename);
    QFETCH(bool, resize);
    QFETCH(QStringList, tree);
    QFETCH(QString, finalPath);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/IMG_0001.jpg"), photoBytes(1)));
    if (outputFolder.startsWith(u"out"))
        QVERIFY(QDir().mkpath(dir.filePath("out")));
    BatchRequest request;
    request.entries = {entryIn(dir, "src", "IMG_0001.jpg")};
    request.naming = TargetNaming::Given;
    request.givenTargetName = name;
    request.pattern.number = QStringLiteral("05");
    request.outputFolder = outputFolder.isEmpty() ? QString() : dir.filePath(outputFolder);
    request.rename = rename;
    request.resize = resize;
    request.resizeSettings = smallJpeg();

    const BatchResult batch = runBatch(request);
    const ConversionResult &result = batch.entries.first().result;
    QCOMPARE(describeTree(dir.path()), tree);
    if (finalPath.isEmpty()) {
        QCOMPARE(result.status, ConversionStatus::MissingTargetName);
        QVERIFY(!result.reason.isEmpty());
    } else {
        QVERIFY2(result.converted(), qPrintable(result.reason));
        QCOMPARE(QDir(dir.path()).relativeFilePath(result.finalPath), finalPath);
        QCOMPARE(result.resized, resize);
    }
    QCOMPARE(batch.finalNumber, rename && !name.isEmpty() ? "06" : "05");
}

void TestBatchRunner::copyKeepsTimeAndPermissions() {
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

    BatchRequest request = renamingBatch({entryIn(dir, "src", "IMG_0001.jpg")});
    request.outputFolder = dir.filePath("out");
    QVERIFY(runBatch(request).entries.first().result.converted());
    const QFileInfo copy(dir.filePath("out/Untitled01.jpg"));
    QCOMPARE(copy.lastModified().toUTC(), taken);
    QCOMPARE(copy.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), permissions);
}

void TestBatchRunner::fileNames_data() {
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

void TestBatchRunner::fileNames() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(checkFileName(name).ok(), valid);
}

void TestBatchRunner::emptyList() {
    QTemporaryDir dir;
    Recorded recorded;
    BatchRequest request = renamingBatch({});
    request.outputFolder = dir.filePath("out");
    const BatchResult batch = runBatch(request, recorder(recorded));
    QVERIFY(batch.started());
    QVERIFY(batch.entries.isEmpty());
    QVERIFY(recorded.indexes.isEmpty());
    QCOMPARE(batch.finalNumber, "01");
    QCOMPARE(describeTree(dir.path()), QStringList{"out/"});
}

void TestBatchRunner::oneEntry() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/a.jpg"), photoBytes(1)));
    Recorded recorded;
    const BatchResult batch =
        runBatch(renamingBatch({entryIn(dir, "src", "a.jpg")}), recorder(recorded));
    QCOMPARE(recorded.indexes, QList<qsizetype>{0});
    QCOMPARE(batch.convertedCount(), 1);
    QCOMPARE(batch.finalNumber, "02");
    QCOMPARE(describeTree(dir.path()), (QStringList{"src/", "src/Untitled01.jpg=photo 1"}));
}

void TestBatchRunner::fiveEntries() {
    QTemporaryDir dir;
    QList<PhotoEntry> entries;
    for (int i = 1; i <= 5; ++i) {
        const QString name = QStringLiteral("IMG_%1.jpg").arg(i);
        QVERIFY(writeFile(dir.filePath("src/" + name), photoBytes(i)));
        entries.append(entryIn(dir, "src", name));
    }
    Recorded recorded;
    BatchRequest request = renamingBatch(entries);
    request.outputFolder = dir.filePath("out");
    const BatchResult batch = runBatch(request, recorder(recorded));

    QCOMPARE(recorded.indexes, (QList<qsizetype>{0, 1, 2, 3, 4}));
    QCOMPARE(recorded.targets, (QStringList{"Untitled01.jpg", "Untitled02.jpg", "Untitled03.jpg",
                                            "Untitled04.jpg", "Untitled05.jpg"}));
    QCOMPARE(recorded.numbers, (QStringList{"02", "03", "04", "05", "06"}));
    QVERIFY(recorded.allOnCallingThread);
    QCOMPARE(batch.convertedCount(), 5);
    QCOMPARE(batch.failedCount(), 0);
    QCOMPARE(batch.finalNumber, "06");
    QCOMPARE(
        describeTree(dir.path() + "/out"),
        (QStringList{"Untitled01.jpg=photo 1", "Untitled02.jpg=photo 2", "Untitled03.jpg=photo 3",
                     "Untitled04.jpg=photo 4", "Untitled05.jpg=photo 5"}));
}

void TestBatchRunner::renamingOff() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/a.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("src/b.jpg"), photoBytes(2)));
    Recorded recorded;
    BatchRequest request =
        renamingBatch({entryIn(dir, "src", "a.jpg"), entryIn(dir, "src", "b.jpg")}, "07");
    request.rename = false;
    request.outputFolder = dir.filePath("out");
    const BatchResult batch = runBatch(request, recorder(recorded));
    QCOMPARE(recorded.targets, (QStringList{"a.jpg", "b.jpg"}));
    QCOMPARE(recorded.numbers, (QStringList{"07", "07"}));
    QCOMPARE(batch.finalNumber, "07");
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"out/", "out/a.jpg=photo 1", "out/b.jpg=photo 2", "src/",
                          "src/a.jpg=photo 1", "src/b.jpg=photo 2"}));
}

void TestBatchRunner::numberCrossesTen() {
    QTemporaryDir dir;
    QList<PhotoEntry> entries;
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"}) {
        QVERIFY(
            writeFile(dir.filePath(QStringLiteral("src/") + name), photoBytes(entries.size() + 1)));
        entries.append(entryIn(dir, "src", name));
    }
    Recorded recorded;
    const BatchResult batch = runBatch(renamingBatch(entries, "09"), recorder(recorded));
    QCOMPARE(recorded.targets, (QStringList{"Untitled09.jpg", "Untitled10.jpg", "Untitled11.jpg"}));
    QCOMPARE(batch.finalNumber, "12");
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"src/", "src/Untitled09.jpg=photo 1", "src/Untitled10.jpg=photo 2",
                          "src/Untitled11.jpg=photo 3"}));
}

void TestBatchRunner::twoSourceFoldersInPlace() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("one/a.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("two/b.jpg"), photoBytes(2)));
    QVERIFY(writeFile(dir.filePath("one/c.jpg"), photoBytes(3)));
    const BatchResult batch =
        runBatch(renamingBatch({entryIn(dir, "one", "a.jpg"), entryIn(dir, "two", "b.jpg"),
                                entryIn(dir, "one", "c.jpg")}));
    QCOMPARE(batch.convertedCount(), 3);
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"one/", "one/Untitled01.jpg=photo 1", "one/Untitled03.jpg=photo 3",
                          "two/", "two/Untitled02.jpg=photo 2"}));
}

// The list order decides the numbers, whatever the names.
void TestBatchRunner::reorderedEntries() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("one/a.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("one/b.jpg"), photoBytes(2)));
    QVERIFY(writeFile(dir.filePath("two/c.jpg"), photoBytes(3)));
    BatchRequest request = renamingBatch(
        {entryIn(dir, "two", "c.jpg"), entryIn(dir, "one", "b.jpg"), entryIn(dir, "one", "a.jpg")});
    const BatchResult batch = runBatch(request);
    QCOMPARE(batch.finalNumber, "04");
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"one/", "one/Untitled02.jpg=photo 2", "one/Untitled03.jpg=photo 1",
                          "two/", "two/Untitled01.jpg=photo 3"}));
}

void TestBatchRunner::nameTakenInOutputFolder() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/a.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("src/b.jpg"), photoBytes(2)));
    QVERIFY(writeFile(dir.filePath("out/Untitled01.jpg"), photoBytes(3)));
    BatchRequest request =
        renamingBatch({entryIn(dir, "src", "a.jpg"), entryIn(dir, "src", "b.jpg")});
    request.outputFolder = dir.filePath("out");
    const BatchResult batch = runBatch(request);
    QCOMPARE(batch.entries[0].result.status, ConversionStatus::Failed);
    QVERIFY(batch.entries[0].result.reason.contains("already exists"));
    QVERIFY(batch.entries[1].result.converted());
    QCOMPARE(batch.finalNumber, "03");
    QCOMPARE(describeTree(dir.path() + "/out"),
             (QStringList{"Untitled01.jpg=photo 3", "Untitled02.jpg=photo 2"}));
}

void TestBatchRunner::missingSourceDoesNotStopBatch() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/a.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("src/c.jpg"), photoBytes(3)));
    BatchRequest request = renamingBatch(
        {entryIn(dir, "src", "a.jpg"), entryIn(dir, "src", "b.jpg"), entryIn(dir, "src", "c.jpg")});
    request.outputFolder = dir.filePath("out");
    request.resize = true;
    request.resizeSettings = smallJpeg();
    const BatchResult batch = runBatch(request);
    QCOMPARE(batch.convertedCount(), 2);
    QCOMPARE(batch.failedCount(), 1);
    QCOMPARE(batch.entries[1].result.status, ConversionStatus::Failed);
    QVERIFY(batch.entries[1].result.reason.contains("not found"));
    QCOMPARE(batch.finalNumber, "04");
    QCOMPARE(describeTree(dir.path() + "/out"),
             (QStringList{"Untitled01.JPG=jpeg 16x12", "Untitled03.JPG=jpeg 16x12"})
                 .replaceInStrings(".JPG", ".jpg"));
}

void TestBatchRunner::outputFolderUnusable_data() {
    QTest::addColumn<QString>("outputFolder");
    QTest::newRow("parent is a file") << "file.txt/out";
    QTest::newRow("deeper under a file") << "file.txt/a/b";
    QTest::newRow("the folder is a file") << "file.txt";
}

// An output folder that cannot be made touches no photo: no fallback to the originals.
void TestBatchRunner::outputFolderUnusable() {
    QFETCH(QString, outputFolder);
    for (bool rename : {false, true}) {
        for (bool resize : {false, true}) {
            QTemporaryDir dir;
            QVERIFY(writeFile(dir.filePath("src/a.jpg"), photoBytes(1)));
            QVERIFY(writeFile(dir.filePath("file.txt"), "text"));
            const QStringList before = describeTree(dir.path());
            Recorded recorded;
            BatchRequest request = renamingBatch({entryIn(dir, "src", "a.jpg")}, "05");
            request.outputFolder = dir.filePath(outputFolder);
            request.rename = rename;
            request.resize = resize;
            request.resizeSettings = smallJpeg();
            const BatchResult batch = runBatch(request, recorder(recorded));
            QVERIFY(!batch.started());
            QVERIFY(!batch.fatalError.isEmpty());
            QVERIFY(recorded.indexes.isEmpty());
            QCOMPARE(batch.finalNumber, "05");
            QCOMPARE(batch.notStartedCount(), 1);
            QCOMPARE(describeTree(dir.path()), before);
        }
    }
}

void TestBatchRunner::unsafeTitle_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("withOutputFolder");
    for (const char *title : {"../x", "../../x", "sub/x", "/x"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 in place").arg(title))) << title << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 into a folder").arg(title))) << title << true;
    }
}

// A title typed as "../x" never moves a photo out of its folder.
void TestBatchRunner::unsafeTitle() {
    QFETCH(QString, title);
    QFETCH(bool, withOutputFolder);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a/src/p.jpg"), photoBytes(1)));
    QVERIFY(writeFile(dir.filePath("a/src/q.jpg"), photoBytes(2)));
    QVERIFY(QDir().mkpath(dir.filePath("a/src/sub")));
    QVERIFY(QDir().mkpath(dir.filePath("a/out/sub")));
    BatchRequest request =
        renamingBatch({entryIn(dir, "a/src", "p.jpg"), entryIn(dir, "a/src", "q.jpg")});
    request.pattern.title = title;
    if (withOutputFolder)
        request.outputFolder = dir.filePath("a/out");
    const BatchResult batch = runBatch(request);
    QCOMPARE(batch.failedCount(), 2);
    QCOMPARE(batch.finalNumber, "03");
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"a/", "a/out/", "a/out/sub/", "a/src/", "a/src/p.jpg=photo 1",
                          "a/src/q.jpg=photo 2", "a/src/sub/"}));
}

void TestBatchRunner::sameFileTwice_data() {
    QTest::addColumn<bool>("withOutputFolder");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<int>("converted");
    QTest::newRow("in place: the second is gone")
        << false << QStringList{"src/", "src/Untitled01.jpg=photo 1"} << 1;
    QTest::newRow("into a folder: two copies")
        << true
        << QStringList{"out/", "out/Untitled01.jpg=photo 1", "out/Untitled02.jpg=photo 1", "src/",
                       "src/a.jpg=photo 1"}
        << 2;
}

void TestBatchRunner::sameFileTwice() {
    QFETCH(bool, withOutputFolder);
    QFETCH(QStringList, tree);
    QFETCH(int, converted);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("src/a.jpg"), photoBytes(1)));
    BatchRequest request =
        renamingBatch({entryIn(dir, "src", "a.jpg"), entryIn(dir, "src", "a.jpg")});
    if (withOutputFolder)
        request.outputFolder = dir.filePath("out");
    const BatchResult batch = runBatch(request);
    QCOMPARE(batch.convertedCount(), converted);
    QCOMPARE(batch.finalNumber, "03");
    QCOMPARE(describeTree(dir.path()), tree);
}

// Cancelling leaves every photo converted or untouched, and the rest reported as not started.
void TestBatchRunner::cancel() {
    QTemporaryDir dir;
    QList<PhotoEntry> entries;
    for (int i = 1; i <= 5; ++i) {
        const QString name = QStringLiteral("p%1.jpg").arg(i);
        QVERIFY(writeFile(dir.filePath("src/" + name), photoBytes(i)));
        entries.append(entryIn(dir, "src", name));
    }
    BatchRequest request = renamingBatch(entries);
    request.resize = true;
    request.resizeSettings = smallJpeg();
    request.pattern.extension = QStringLiteral("JPG");
    std::atomic<bool> cancelled{false};
    const BatchResult batch = runBatch(
        request,
        [&cancelled](const BatchProgress &progress) {
            if (progress.index == 1)
                cancelled = true;
        },
        &cancelled);
    QCOMPARE(batch.convertedCount(), 2);
    QCOMPARE(batch.notStartedCount(), 3);
    QCOMPARE(batch.finalNumber, "03");
    QCOMPARE(describeTree(dir.path()),
             (QStringList{"src/", "src/Untitled01.JPG=jpeg 16x12", "src/Untitled02.JPG=jpeg 16x12",
                          "src/p3.jpg=photo 3", "src/p4.jpg=photo 4", "src/p5.jpg=photo 5"}));
}

void TestBatchRunner::parallelEqualsOneByOne_data() {
    // The files after the batch below: "path<source" holds the picture made of that photo alone
    // (as it was before the batch), "path=photo N" the bytes of photoBytes(N); every other file
    // is gone. Statuses: C converted, F failed.
    QTest::addColumn<bool>("rename");
    QTest::addColumn<bool>("withOutputFolder");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("statuses");
    QTest::addColumn<QString>("finalNumber");

    const QStringList originals{"one/a.jpg=photo 1",  "two/a.jpg=photo 2", "one/b.jpg=photo 3",
                                "one/c.jpg=photo 5",  "two/c.jpg=photo 1", "two/T02.JPG=photo 4",
                                "out/T04.JPG=photo 4"};
    QTest::newRow("renamed, into a folder")
        << true << true << originals + QStringList{"out/T01.JPG<one/a.jpg", "out/T02.JPG<two/a.jpg",
                                                   "out/T03.JPG<one/a.jpg", "out/T06.JPG<two/c.jpg",
                                                   "out/T07.JPG<one/c.jpg", "out/T08.JPG<two/a.jpg",
                                                   "out/T09.JPG<one/b.jpg"}
        << "CCCFFCCCC"
        << "10";
    QTest::newRow("names kept, into a folder")
        << false << true
        << originals +
               QStringList{"out/a.jpg<one/a.jpg", "out/b.jpg<one/b.jpg", "out/c.jpg<two/c.jpg"}
        << "CFFCFCFFF"
        << "01";
    QTest::newRow("renamed, in place")
        << true << false
        << QStringList{"two/T02.JPG=photo 4",   "out/T04.JPG=photo 4",   "one/T01.JPG<one/a.jpg",
                       "one/T04.JPG<one/b.jpg", "two/T06.JPG<two/c.jpg", "one/T07.JPG<one/c.jpg",
                       "two/T08.JPG<two/a.jpg"}
        << "CFFCFCCCF"
        << "10";
    QTest::newRow("names kept, in place")
        << false << false
        << QStringList{"two/T02.JPG=photo 4", "out/T04.JPG=photo 4", "one/a.jpg<one/a.jpg",
                       "two/a.jpg<two/a.jpg", "one/b.jpg<one/b.jpg", "two/c.jpg<two/c.jpg",
                       "one/c.jpg<one/c.jpg"}
        << "CCFCFCCFF"
        << "01";
}

// Collisions inside one batch, with pictures made two at a time: the same file twice, two photos
// of one name from two folders, a target name already taken, a missing photo. Every file is the
// one the rules give, and every picture is the one its own photo gives alone.
void TestBatchRunner::parallelEqualsOneByOne() {
    QFETCH(bool, rename);
    QFETCH(bool, withOutputFolder);
    QFETCH(QStringList, files);
    QFETCH(QString, statuses);
    QFETCH(QString, finalNumber);

    QTemporaryDir dir;
    const QHash<QString, int> photos{{"one/a.jpg", 1},   {"two/a.jpg", 2},   {"one/b.jpg", 3},
                                     {"two/T02.JPG", 4}, {"out/T04.JPG", 4}, {"one/c.jpg", 5},
                                     {"two/c.jpg", 1}};
    for (auto it = photos.cbegin(); it != photos.cend(); ++it)
        QVERIFY(writeFile(dir.filePath(it.key()), photoBytes(it.value())));
    BatchRequest request;
    request.entries = {entryIn(dir, "one", "a.jpg"),    entryIn(dir, "two", "a.jpg"),
                       entryIn(dir, "one", "a.jpg"),    entryIn(dir, "one", "b.jpg"),
                       entryIn(dir, "one", "gone.jpg"), entryIn(dir, "two", "c.jpg"),
                       entryIn(dir, "one", "c.jpg"),    entryIn(dir, "two", "a.jpg"),
                       entryIn(dir, "one", "b.jpg")};
    request.pattern = {QStringLiteral("T"), QStringLiteral("01"), QStringLiteral("JPG")};
    request.rename = rename;
    request.resize = true;
    request.resizeSettings = smallJpeg();
    request.outputFolder = withOutputFolder ? dir.filePath("out") : QString();
    request.workers = 2;

    QHash<QString, QByteArray> expected;
    for (const QString &file : files) {
        if (file.contains(u'=')) {
            expected.insert(file.section(u'=', 0, 0), photoBytes(file.section(u' ', -1).toInt()));
            continue;
        }
        const QString source = file.section(u'<', 1);
        const Result<ResizedPhoto> alone =
            ResizeToJpeg(dir.filePath(source), PictureFormat::Jpeg, request.resizeSettings);
        QVERIFY2(alone, qPrintable(alone.reason()));
        expected.insert(file.section(u'<', 0, 0), alone->picture.bytes);
    }

    const BatchResult batch = runBatch(request);
    QString got;
    for (const BatchEntryResult &entry : batch.entries)
        got += entry.result.converted() ? u'C' : u'F';
    QCOMPARE(got, statuses);
    QCOMPARE(batch.finalNumber, finalNumber);
    const QHash<QString, QByteArray> tree = snapshot(dir.path());
    QCOMPARE(QStringList(tree.keyBegin(), tree.keyEnd()).size(), expected.size());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(tree.value(it.key()) == it.value(), qPrintable(it.key()));
}

// The picture work admits photos while their estimated memory fits the budget: huge photos
// (their headers say so) are made one after the other, so that a batch of them takes, measured,
// no more memory than one of them alone.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELMORA_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PELMORA_ADDRESS_SANITIZER
#endif

void TestBatchRunner::memoryBudget() {
#if defined(PELMORA_ADDRESS_SANITIZER)
    QSKIP("memory is measured in the build without the sanitizers, whose quarantine keeps what "
          "is freed");
#else
    QTemporaryDir dir;
    QList<PhotoEntry> entries;
    const QByteArray photo = flatPng(8000, 8000);
    for (int i = 0; i < 3; ++i) {
        const QString name = QStringLiteral("p%1.png").arg(i);
        QVERIFY(writeFile(dir.filePath("src/" + name), photo));
        entries.append(entryIn(dir, "src", name));
    }
    BatchRequest request = renamingBatch(entries);
    request.pattern.extension = QStringLiteral("JPG");
    request.outputFolder = dir.filePath("out");
    request.resize = true;
    request.resizeSettings.longerSide = QStringLiteral("250");
    request.workers = 2;

    // The most memory resident at once while the batch ran, above what was resident before it
    // (Linux keeps the peak per process, and lets it be set back to the present).
    const auto peakOf = [](const BatchRequest &batch, int converted) {
        const auto resident = [](const char *what) {
            const QString status = QString::fromLatin1(readFile("/proc/self/status"));
            const QRegularExpression line(QStringLiteral("%1:\\s+(\\d+) kB").arg(what));
            return line.match(status).captured(1).toLongLong() << 10;
        };
        const bool marked = writeFile("/proc/self/clear_refs", "5");
        const qint64 before = resident("VmRSS");
        const BatchResult result = runBatch(batch);
        return marked && result.convertedCount() == converted ? resident("VmHWM") - before : -1;
    };
    BatchRequest one = request;
    one.entries = entries.mid(0, 1);
    one.outputFolder = dir.filePath("one");
    const qint64 alone = peakOf(one, 1);
    const qint64 together = peakOf(request, 3);
    QVERIFY(alone > 0 && together > 0);
    QCOMPARE(describeTree(dir.filePath("out")),
             (QStringList{"Untitled01.JPG=jpeg 250x250", "Untitled02.JPG=jpeg 250x250",
                          "Untitled03.JPG=jpeg 250x250"}));
    qInfo("peak resident memory above the start: %lld MB for one photo, %lld MB for three",
          alone >> 20, together >> 20);
    QVERIFY2(together < alone * 3 / 2, qPrintable(QString::number(together >> 20)));
#endif
}

QTEST_MAIN(TestBatchRunner)
#include "tst_batchrunner.moc"
