// Starting the window: a later `pelmora FILE...` hands its paths to the window already open and
// ends; the commands never go through that window, nor do arguments that name neither a command
// nor a file (a usage error); without a display the program says so in one line and exits 1. The
// later starts are real pelmora processes, pointed at this test's own runtime folder; the first
// window is a real MainWindow in this process.

#include "app/handedoverphotos.h"
#include "app/singleinstance.h"
#include "files.h"
#include "photos.h"
#include "process.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace testsupport;
using namespace windowdriver;

namespace {

QStringList inFolder(QStringList texts, const QString &folder) {
    return texts.replaceInStrings(QStringLiteral("{dir}"), folder);
}

// A window started as main() starts it, left behind by a crash: its socket stays.
bool crashWindow(const QString &socketPath) {
    QProcess first;
    first.start(app(), {});
    if (!QTest::qWaitFor([&] { return QFileInfo::exists(socketPath); }, 30000))
        return false;
    first.kill();
    first.waitForFinished();
    return QFileInfo::exists(socketPath);
}

} // namespace

class TestWindowStart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void secondStart_data();
    void secondStart();
    void secondStartDuringBatch();
    void withoutDisplay_data();
    void withoutDisplay();

private:
    // The runtime folder of this test and of every program it starts: the per-user socket.
    QTemporaryDir m_runtime;
};

void TestWindowStart::initTestCase() {
    QVERIFY2(QFileInfo(app()).isExecutable(), "PELMORA_APP must name the pelmora executable");
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    QCOMPARE(SingleInstance::defaultSocketPath(), m_runtime.filePath("pelmora.socket"));
}

void TestWindowStart::secondStart_data() {
    QTest::addColumn<QStringList>("arguments"); // "{dir}" is the photos' folder
    QTest::addColumn<bool>("crashedBefore");
    QTest::addColumn<QStringList>("entries"); // the first window's list afterwards
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // its first line; the second points to --help

    QTest::newRow("two photos") << QStringList{"{dir}/写真 1.jpg", "{dir}/b.jpg"} << false
                                << QStringList{"b.jpg|{dir}/", "写真 1.jpg|{dir}/"} << "" << 0
                                << "";
    QTest::newRow("paths relative to the second start's folder")
        << QStringList{"b.jpg", "sub/c.jpg"} << false
        << QStringList{"b.jpg|{dir}/", "c.jpg|{dir}/sub/"} << "" << 0 << "";
    QTest::newRow("after the first window crashed")
        << QStringList{"{dir}/b.jpg"} << true << QStringList{"b.jpg|{dir}/"} << "" << 0 << "";
    QTest::newRow("no photos: the window only comes to the front")
        << QStringList{} << false << QStringList{} << "" << 0 << "";
    QTest::newRow("size runs on its own")
        << QStringList{"size", "{dir}/b.jpg"} << false << QStringList{}
        << "ImageSze Width: 64  Height: 48" << 0 << "";
    QTest::newRow("--version runs on its own") << QStringList{"--version"} << false << QStringList{}
                                               << "pelmora " PELMORA_VERSION << 0 << "";
    QTest::newRow("a photo named with a dash, after --")
        << QStringList{"--", "-dash.jpg", "b.jpg"} << false
        << QStringList{"-dash.jpg|{dir}/", "b.jpg|{dir}/"} << "" << 0 << "";
    QTest::newRow("an unknown option: a usage error, nothing handed over")
        << QStringList{"b.jpg", "--verion"} << false << QStringList{} << "" << 2
        << "pelmora: unknown option --verion";
    QTest::newRow("a photo named with a dash, before --: an option")
        << QStringList{"-dash.jpg"} << false << QStringList{} << "" << 2
        << "pelmora: unknown option -dash.jpg";
    QTest::newRow("a word that names no command and no file")
        << QStringList{"frobnicate", "b.jpg"} << false << QStringList{} << "" << 2
        << "pelmora: frobnicate: no such file, nor a command (convert, size, undo)";
}

void TestWindowStart::secondStart() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, crashedBefore);
    QFETCH(QStringList, entries);
    QFETCH(QString, out);
    QFETCH(int, exitCode);
    QFETCH(QString, err);

    QTemporaryDir photos;
    for (const QString name : {"写真 1.jpg", "b.jpg", "sub/c.jpg", "-dash.jpg"})
        writePicture(photos.filePath(name), QSize(64, 48));
    if (crashedBefore)
        QVERIFY(crashWindow(SingleInstance::defaultSocketPath()));

    MainWindow window;
    SingleInstance instance;
    QVERIFY(!instance.handOver({})); // no window answers: this one listens from now on
    receiveHandedOverPhotos(instance, window);
    window.show();

    RunOptions options;
    options.workingDirectory = photos.path();
    options.serveEvents = true;
    options.timeoutMs = 60000;
    const Run second = runProgram(app(), inFolder(arguments, photos.path()), options);
    QCOMPARE(second.exitCode, exitCode);
    QCOMPARE(second.out.trimmed(), out);
    const QStringList said = second.err.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(said.value(0), err);
    QCOMPARE(said.size(), err.isEmpty() ? 0 : 2);
    if (!err.isEmpty())
        QCOMPARE(said.value(1), "Try 'pelmora --help' for the commands and options.");
    // The window took the paths before it let the second start go.
    QCOMPARE(windowdriver::entries(window), inFolder(entries, photos.path()));
}

// Paths handed over while a batch runs wait for its end, as the list takes no drop meanwhile.
void TestWindowStart::secondStartDuringBatch() {
    QTemporaryDir dir;
    const QByteArray photo = encode(gradientPicture(QSize(2400, 1800)), "JPEG", 90);
    QStringList batch;
    for (int i = 0; i < 10; ++i) {
        batch.append(dir.filePath(QStringLiteral("batch/p%1.jpg").arg(i, 2, 10, QChar(u'0'))));
        QVERIFY(writeFile(batch.last(), photo));
    }
    const QString late = writePicture(dir.filePath("late.jpg"), QSize(64, 48));

    MainWindow window;
    SingleInstance instance;
    QVERIFY(!instance.handOver({}));
    bool convertingOnArrival = false;
    connect(&instance, &SingleInstance::pathsHandedOver, this,
            [&] { convertingOnArrival = window.isConverting(); });
    receiveHandedOverPhotos(instance, window);
    window.show();
    dropPaths(list(window), batch);
    child<QLineEdit>(window, "OutFolder")->setText(dir.filePath("out"));
    QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
    child<QLineEdit>(window, "picWidth")->setText(QStringLiteral("1800"));
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);

    RunOptions options;
    options.serveEvents = true;
    options.timeoutMs = 60000;
    QCOMPARE(runProgram(app(), {late}, options).exitCode, 0);
    QVERIFY2(convertingOnArrival, "the batch ended before the hand-over: make it longer");
    QVERIFY(!windowdriver::entries(window).contains("late.jpg|" + dir.path() + "/"));
    QVERIFY(waitForConversion(window, 120000));
    // The batch converted every photo of its own and took them off the list.
    QCOMPARE(windowdriver::entries(window), QStringList{"late.jpg|" + dir.path() + "/"});
    QCOMPARE(QDir(dir.filePath("out")).entryList(QDir::Files).size(), batch.size());
}

void TestWindowStart::withoutDisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display");

    QTest::newRow("no display") << QStringList{} << QString();
    QTest::newRow("photos, no display") << QStringList{"a.jpg", "b.jpg"} << QString();
    QTest::newRow("a display nobody serves") << QStringList{"a.jpg"} << ":4321";
}

void TestWindowStart::withoutDisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);

    QTemporaryDir photos; // the photos exist: only the display is missing
    for (const QString name : {"a.jpg", "b.jpg"})
        writePicture(photos.filePath(name), QSize(64, 48));
    RunOptions options;
    options.workingDirectory = photos.path();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        options.environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        options.environment.insert("DISPLAY", display);
    options.timeoutMs = 60000;
    const Run run = runProgram(app(), arguments, options);
    QCOMPARE(run.exitCode, 1); // -1 would be the abort
    QCOMPARE(run.out, QString());
    const QString line = run.err.trimmed();
    QVERIFY2(!line.contains(u'\n'), qPrintable(run.err));
    QVERIFY2(line.contains("needs a display") && line.contains("`pelmora convert`"),
             qPrintable(line));
}

QTEST_MAIN(TestWindowStart)
#include "tst_windowstart.moc"
