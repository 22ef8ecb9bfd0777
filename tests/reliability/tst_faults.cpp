// Faults while converting into an output folder: the disk filling up, and pelmora convert killed
// half way. Every original stays as it was, and every file under a photo's name is whole.

#include "builders.h"
#include "files.h"
#include "files/journal.h"
#include "photos.h"
#include "process.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <sys/stat.h>

using namespace testsupport;

namespace {

// A JPEG of noise: it compresses badly, so a few of them fill a small disk.
QByteArray noisePhoto(int seed, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = random.generate() | 0xFF000000u;
    }
    return encode(image, "JPEG", 92);
}

QStringList writePhotos(const QString &folder, int count, const QList<QByteArray> &kinds) {
    QStringList paths;
    for (int i = 1; i <= count; ++i) {
        const QString path = folder + QStringLiteral("/p%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        if (!writeFile(path, kinds[i % kinds.size()]))
            return {};
        paths << path;
    }
    return paths;
}

QHash<QString, QByteArray> bytesOf(const QStringList &paths) {
    QHash<QString, QByteArray> all;
    for (const QString &p : paths)
        all.insert(p, readFile(p));
    return all;
}

bool isTemporaryName(const QString &name) {
    static const QRegularExpression temporary(QStringLiteral("^\\.pelmora-[0-9a-f]+\\.tmp$"));
    return temporary.match(name).hasMatch();
}

// Every regular file's inode, so that an output sharing an original's file shows.
QSet<quint64> inodesOf(const QStringList &paths) {
    QSet<quint64> inodes;
    for (const QString &path : paths) {
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0)
            inodes.insert(quint64(st.st_ino));
    }
    return inodes;
}

// What a file in the output folder may be: under a target name or a photo's own name, the whole
// original (copied, not yet resized) or a whole resized JPEG. Returns why not, or nothing.
QString checkOutputFile(const QString &path, const QString &targetPattern,
                        const QHash<QString, QByteArray> &originals, QSize resized) {
    const QString name = QFileInfo(path).fileName();
    static const QRegularExpression photoName(QStringLiteral("^p\\d\\d\\.jpg$"));
    if (!QRegularExpression(targetPattern).match(name).hasMatch() &&
        !photoName.match(name).hasMatch())
        return name + QStringLiteral(": not a name the batch gives");
    const QByteArray bytes = readFile(path);
    for (const QByteArray &original : originals)
        if (bytes == original)
            return {};
    if (resized.isValid() && isCompleteJpeg(path, resized))
        return {};
    return name + QStringLiteral(": neither a whole copy nor a whole resized JPEG");
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void diskFillsUpMidBatch_data();
    void diskFillsUpMidBatch();
    void stoppedMidBatch_data();
    void stoppedMidBatch();
    void twoRunsIntoOneFolder();
    void rollback_data();
    void rollback();
    void killedAtEachStep_data();
    void killedAtEachStep();
};

void TestFaults::initTestCase() {
    QVERIFY2(QFileInfo(app()).isExecutable(), "PELMORA_APP must name the pelmora executable");
}

// The output folder is a 3 MB file system in a private mount namespace; the photos need several
// times that, resized or not. What the batch left is copied out before the namespace goes away.
void TestFaults::diskFillsUpMidBatch_data() {
    QTest::addColumn<bool>("resize");
    QTest::newRow("copies") << false;
    QTest::newRow("resized copies") << true;
}

void TestFaults::diskFillsUpMidBatch() {
    QFETCH(bool, resize);
    const QString unavailable = mountNamespaceUnavailable();
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(unavailable));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QList<QByteArray> kinds;
    for (int seed = 1; seed <= 4; ++seed)
        kinds << noisePhoto(seed, QSize(1000, 750));
    const QStringList photos = writePhotos(dir.filePath("photos"), 32, kinds);
    QCOMPARE(photos.size(), 32);
    qint64 total = 0;
    for (const QString &p : photos)
        total += QFileInfo(p).size();
    QVERIFY2(total > 4 * 3 * 1024 * 1024, "the photos must need several times the small disk");
    const QHash<QString, QByteArray> before = bytesOf(photos);

    const QString out = dir.filePath("out");
    const QString kept = dir.filePath("kept");
    QVERIFY(QDir().mkpath(out) && QDir().mkpath(kept));
    const QString script =
        QStringLiteral("out=\"$1\"; kept=\"$2\"; shift 2; "
                       "mount -t tmpfs -o size=3m pelmora-full \"$out\" || exit 90; "
                       "\"$@\"; status=$?; "
                       "cp -a \"$out\"/. \"$kept\"/ || exit 91; "
                       "exit $status");
    QStringList command{"-m", "sh", "-c", script, "sh", out, kept, app(), "convert", "--out", out};
    if (resize)
        command << QStringLiteral("--resize") << QStringLiteral("960")
                << QStringLiteral("--quality") << QStringLiteral("10");
    const Run run = runProgram(QStringLiteral("unshare"), command + photos);

    QCOMPARE(run.exitCode, 1);
    static const QRegularExpression summary(QStringLiteral("converted (\\d+), failed (\\d+),"));
    const QRegularExpressionMatch counts = summary.match(run.out);
    QVERIFY2(counts.hasMatch(), qPrintable(quotedErrors(run)));
    const int converted = counts.captured(1).toInt();
    const int failed = counts.captured(2).toInt();
    QVERIFY2(failed >= 1, qPrintable(quotedErrors(run)));
    // Plain copies fill the disk one by one; resized, the full-size copies waiting for their
    // resize may leave no room for any JPEG.
    if (!resize)
        QVERIFY2(converted >= 1, qPrintable(quotedErrors(run)));
    QCOMPARE(converted + failed, int(photos.size()));
    // One line per failed photo, naming it. Qt's JPEG writer adds warnings of its own when the
    // disk is full; they are not ours to count.
    QStringList reported = run.err.split(u'\n', Qt::SkipEmptyParts);
    reported.removeIf([](const QString &l) { return l.startsWith(QStringLiteral("qt.gui.")); });
    QCOMPARE(reported.size(), failed);
    for (const QString &line : reported)
        QVERIFY2(line.startsWith(dir.filePath("photos/p")), qPrintable(line));

    for (auto it = before.begin(); it != before.end(); ++it)
        QVERIFY2(readFile(it.key()) == it.value(), qPrintable(it.key() + " changed"));

    const QStringList left = allNames(kept);
    QVERIFY(!left.isEmpty());
    int whole = 0;
    for (const QString &name : left) {
        QVERIFY2(!isTemporaryName(name), qPrintable(name + " left behind"));
        const QString why =
            checkOutputFile(kept + u'/' + name, QStringLiteral("^Untitled\\d\\d\\.(jpg|JPG)$"),
                            before, resize ? QSize(960, 720) : QSize());
        QVERIFY2(why.isEmpty(), qPrintable(why));
        ++whole;
    }
    QVERIFY(whole >= converted);
}

void TestFaults::stoppedMidBatch_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("killed (SIGKILL)") << int(SIGKILL);
    QTest::newRow("hung up (SIGHUP, a closed terminal)") << int(SIGHUP);
}

// Stopped while converting 40 photos: killed, nothing can clean up; hung up, it stops after the
// photos in flight and says so. Either way no original changes, no output shares an original's
// file, and no file under a photo's name is cut short. A second run into the same folder converts
// everything and leaves no temporary file, neither its own nor the first run's.
void TestFaults::stoppedMidBatch() {
    QFETCH(int, signal);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QList<QByteArray> kinds;
    for (int seed = 1; seed <= 5; ++seed)
        kinds << photoBytes(seed, QSize(2000, 1500), 92);
    const QStringList photos = writePhotos(dir.filePath("photos"), 40, kinds);
    QCOMPARE(photos.size(), 40);
    const QHash<QString, QByteArray> before = bytesOf(photos);
    const QString out = dir.filePath("out");

    QProcess first;
    first.start(app(), QStringList{"convert", "--out", out, "--resize", "800"} + photos);
    QVERIFY(first.waitForStarted());
    static const QRegularExpression converted(QStringLiteral("^Untitled\\d\\d\\.JPG$"));
    auto outputs = [&] {
        const QStringList names = allNames(out);
        return std::count_if(names.begin(), names.end(),
                             [](const QString &n) { return converted.match(n).hasMatch(); });
    };
    while (first.state() == QProcess::Running && outputs() < 5)
        QThread::msleep(2);
    QVERIFY2(first.state() == QProcess::Running, "the batch ended before it could be stopped");
    ::kill(pid_t(first.processId()), signal);
    QVERIFY(first.waitForFinished());
    if (signal == SIGKILL) {
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
    } else {
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 1);
        QVERIFY(first.readAllStandardError().contains("interrupted"));
    }

    for (auto it = before.begin(); it != before.end(); ++it)
        QVERIFY2(readFile(it.key()) == it.value(), qPrintable(it.key() + " changed"));
    QStringList temporary;
    int targets = 0;
    for (const QString &name : allNames(out)) {
        if (isTemporaryName(name)) {
            temporary << name;
            continue;
        }
        const QString why = checkOutputFile(
            out + u'/' + name, QStringLiteral("^Untitled\\d\\d\\.JPG$"), before, QSize(800, 600));
        QVERIFY2(why.isEmpty(), qPrintable(why));
        ++targets;
    }
    QVERIFY(targets >= 1);
    QVERIFY2(targets < photos.size(), "the signal came after the last photo");
    QStringList written;
    for (const QString &name : allNames(out))
        written << out + u'/' + name;
    QVERIFY(!inodesOf(photos).intersects(inodesOf(written)));
    if (signal == SIGHUP)
        QCOMPARE(temporary, QStringList()); // it cleaned up after itself
    qInfo("stopped after %d of %d photos had a file in the output folder; %d temporary files left: "
          "%s",
          targets, int(photos.size()), int(temporary.size()), qPrintable(temporary.join(u' ')));

    // What a run that died in the middle of a write leaves, and what a live one is writing.
    QVERIFY(writeFile(out + QStringLiteral("/.pelmora-0dead0.tmp"), "half a photo"));
    const QString live = out + QStringLiteral("/.pelmora-11fe.tmp");
    QProcess writer;
    writer.start(QStringLiteral("flock"), {live, "sleep", "120"});
    QVERIFY(writer.waitForStarted());
    QTRY_VERIFY(QFileInfo::exists(live));
    const Run second = runProgram(
        app(),
        QStringList{"convert", "--out", out, "--resize", "800", "--title", "Again"} + photos);
    QVERIFY2(second.exitCode == 0, qPrintable(quotedErrors(second)));
    QVERIFY2(second.out.contains(QStringLiteral("converted 40, failed 0")), qPrintable(second.out));
    for (auto it = before.begin(); it != before.end(); ++it)
        QVERIFY2(readFile(it.key()) == it.value(), qPrintable(it.key() + " changed"));
    QStringList temporaryAfter;
    for (const QString &name : allNames(out)) {
        if (isTemporaryName(name))
            temporaryAfter << name;
        else if (name.startsWith(QStringLiteral("Again")))
            QVERIFY2(isCompleteJpeg(out + u'/' + name, QSize(800, 600)), qPrintable(name));
    }
    // neither its own nor what a dead run left; only what a live one is writing
    QCOMPARE(temporaryAfter, QStringList{QFileInfo(live).fileName()});
    writer.kill();
    writer.waitForFinished();
    for (int i = 1; i <= 40; ++i)
        QVERIFY(QFileInfo::exists(out +
                                  QStringLiteral("/Again%1.JPG").arg(i, 2, 10, QLatin1Char('0'))));
}

// Two conversions into one folder at the same moment, both giving the names Untitled01,
// Untitled02...: each name goes to one photo, and every photo reported converted is the picture
// under its name (the first run's photos are red, the second's blue).
void TestFaults::twoRunsIntoOneFolder() {
    QTemporaryDir dir;
    constexpr int count = 24;
    QStringList photos[2];
    for (int run = 0; run < 2; ++run) {
        for (int i = 0; i < count; ++i) {
            QImage image = gradientPicture(QSize(1600, 1200));
            image.fill(run == 0 ? QColor(220, 30, 30 + i) : QColor(30, 30 + i, 220));
            const QString path = dir.filePath(QStringLiteral("%1/p%2.jpg").arg(run).arg(i));
            QVERIFY(writeFile(path, encode(image, "JPEG", 90)));
            photos[run] << path;
        }
    }
    const QString out = dir.filePath("out");
    QProcess runs[2];
    for (int run = 0; run < 2; ++run)
        runs[run].start(app(),
                        QStringList{"convert", "--out", out, "--resize", "300"} + photos[run]);
    QString errors[2];
    for (int run = 0; run < 2; ++run) {
        QVERIFY(runs[run].waitForFinished(120000));
        errors[run] = QString::fromUtf8(runs[run].readAllStandardError());
    }
    int taken = 0;
    for (int i = 0; i < count; ++i) {
        const bool converted[2] = {!errors[0].contains(photos[0][i] + u':'),
                                   !errors[1].contains(photos[1][i] + u':')};
        QVERIFY2(converted[0] != converted[1], qPrintable(errors[0] + errors[1]));
        const QImage picture =
            readImage(out + QStringLiteral("/Untitled%1.JPG").arg(i + 1, 2, 10, QLatin1Char('0')));
        const QRgb middle = picture.pixel(picture.width() / 2, picture.height() / 2);
        QCOMPARE(qRed(middle) > qBlue(middle), converted[0]);
        taken += errors[0].contains(photos[0][i] + u':');
    }
    qInfo("the first run got %d of the %d names", count - taken, count);
    QCOMPARE(allNames(out).size(), count);
}

// The disk says no half way through a photo's steps: the photo is rolled back to what it was, or,
// where even the way back fails, the report says where the photo is and undo brings it back.
void TestFaults::rollback_data() {
    QTest::addColumn<QStringList>("arguments"); // of pelmora convert, on s/a.jpg in the test folder
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QStringList>("tree"); // after the conversion
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");

    const QStringList resize{"--in-place", "--no-rename", "--resize", "32", "s/a.jpg"};
    QTest::newRow("the picture cannot take the photo's name: the photo comes back")
        << resize << QStringList{"PELMORA_FAIL_RENAME_FROM=/s/.pelmora-"}
        << QStringList{"s/", "s/a.jpg=photo 1"} << 1 << "cannot write";
    // Where the file system cannot swap two names, the photo goes to the trash first.
    QTest::newRow("no swap of names, nor can the photo come back: it is in the trash, and said so")
        << resize << QStringList{"PELMORA_NO_EXCHANGE=1", "PELMORA_FAIL_RENAME_TO=/s/a.jpg"}
        << QStringList{"s/"} << 1
        << "could not be put back and is now " + QDir::cleanPath(QDir::tempPath());
    QTest::newRow("the photo cannot be set aside anywhere: its new picture goes again")
        << QStringList{"--in-place", "--resize", "32", "s/a.jpg"}
        << QStringList{"PELMORA_FAIL_RENAME_FROM=/s/a.jpg"} << QStringList{"s/", "s/a.jpg=photo 1"}
        << 1 << "cannot move";
    QTest::newRow("the new name cannot reach the disk: the photo stays, its picture goes")
        << QStringList{"--in-place", "--resize", "32", "s/a.jpg"}
        << QStringList{"PELMORA_FAIL_DIRECTORY_SYNC=/photos/s"}
        << QStringList{"s/", "s/a.jpg=photo 1"} << 1 << "to the disk";
    QTest::newRow("the folder cannot be flushed after the swap: converted, with a warning")
        << resize << QStringList{"PELMORA_FAIL_DIRECTORY_SYNC=/photos/s"}
        << QStringList{"s/", "s/a.jpg=jpeg 32x24"} << 0 << "may not have reached the disk";
}

void TestFaults::rollback() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, faults);
    QFETCH(QStringList, tree);
    QFETCH(int, exitCode);
    QFETCH(QString, said);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("photos/s/a.jpg"), photoBytes(1)));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    const QStringList before = describeTree(dir.filePath("photos"));
    RunOptions options;
    options.workingDirectory = dir.filePath("photos");
    options.environment = withFaults(faults);
    const Run run = runProgram(app(), QStringList{"convert"} + arguments, options);
    QVERIFY2(run.err.contains(said), qPrintable(quotedErrors(run)));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(describeTree(dir.filePath("photos")), tree);

    // Whatever it left, undo takes back to the photo as it was.
    const Run undone = runProgram(app(), {"undo"}, 60000, dir.filePath("photos"));
    QVERIFY2(undone.exitCode == 0, qPrintable(quotedErrors(undone)));
    QCOMPARE(describeTree(dir.filePath("photos")), before);
}

// A conversion in place killed before each of its steps on the disk in turn, as a crash or a power
// cut would stop it: its journal reads back whole, and undo brings every photo back as it was.
void TestFaults::killedAtEachStep_data() {
    QTest::addColumn<QStringList>("arguments"); // of pelmora convert, on s/a.jpg and s/b.jpg

    QTest::newRow("resized, names kept")
        << QStringList{"--in-place", "--no-rename", "--resize", "32"};
    QTest::newRow("renamed and resized") << QStringList{"--in-place", "--resize", "32"};
}

void TestFaults::killedAtEachStep() {
    QFETCH(QStringList, arguments);

    for (int step = 1;; ++step) {
        QTemporaryDir dir;
        const QString photos = dir.filePath("photos");
        QVERIFY(writeFile(photos + "/s/a.jpg", photoBytes(1)));
        QVERIFY(writeFile(photos + "/s/b.jpg", photoBytes(2)));
        const QString data = dir.filePath("data");
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        const QStringList before = describeTree(photos);
        RunOptions options;
        options.workingDirectory = photos;
        options.environment = withFaults({QStringLiteral("PELMORA_KILL_AT_STEP=%1").arg(step)});
        const Run run = runProgram(
            app(), QStringList{"convert"} + arguments + QStringList{"s/a.jpg", "s/b.jpg"}, options);
        if (run.exitCode == 0) {
            qInfo("a conversion takes %d steps on the disk", step - 1);
            QVERIFY(step > 10);
            break;
        }
        QVERIFY2(run.exitCode == -1, qPrintable(quotedErrors(run)));

        const QString folder = data + "/pelmora/undo/command-line";
        for (const QString &name : QDir(folder).entryList({"*.jsonl"}, QDir::Files)) {
            const pelmora::Result<pelmora::Journal> journal =
                pelmora::readJournal(folder + u'/' + name);
            QVERIFY2(journal, qPrintable(journal.reason()));
            QCOMPARE(journal->unreadable, 0);
        }
        const Run undone = runProgram(app(), {"undo"}, 60000, photos);
        QVERIFY2(
            undone.exitCode == 0,
            qPrintable(QStringLiteral("killed before step %1: ").arg(step) + quotedErrors(undone)));
        QVERIFY2(describeTree(photos) == before,
                 qPrintable(QStringLiteral("killed before step %1: ").arg(step) +
                            describeTree(photos).join(u' ')));
    }
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
