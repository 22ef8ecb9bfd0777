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
#include <algorithm>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A window's socket served by another process, which listens as the given user (the kernel
// records the listener's user when it starts listening). It writes one byte to report once it
// listens, takes one connection, answers a whole message as a window does, and then writes to
// report the bytes it received. Only system calls after the fork.
pid_t listenAs(uid_t user, gid_t group, const QByteArray &socketPath, int report) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(),
                std::min(size_t(socketPath.size()), sizeof address.sun_path - 1));
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (server < 0 ||
        ::bind(server, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child != 0) {
        ::close(server);
        return child;
    }
    ::alarm(60);
    if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0 ||
        ::listen(server, 4) != 0 || ::write(report, "L", 1) != 1)
        ::_exit(1);
    const int peer = ::accept(server, nullptr, nullptr);
    char received[4096];
    size_t size = 0;
    while (peer >= 0 && size < sizeof received) {
        const ssize_t n = ::read(peer, received + size, sizeof received - size);
        if (n <= 0)
            break;
        size += size_t(n);
        if ((size == 1 && received[0] == '\0') ||
            (size >= 2 && received[size - 1] == '\0' && received[size - 2] == '\0')) {
            (void)!::write(peer, "T", 1);
            break;
        }
    }
    ::_exit(::write(report, received, size) == ssize_t(size) ? 0 : 1);
}

} // namespace

class TestWindowStart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void secondStart_data();
    void secondStart();
    void secondStartDuringBatch();
    void listenerUser_data();
    void listenerUser();
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

void TestWindowStart::listenerUser_data() {
    QTest::addColumn<bool>("anotherUser");

    QTest::newRow("the same user's window takes the paths") << false;
    QTest::newRow("another user's window gets nothing") << true;
}

// The window listening on this user's socket can be another user's (root's, started with this
// user's environment): a later start then sends it nothing and opens a window of its own.
void TestWindowStart::listenerUser() {
    QFETCH(bool, anotherUser);
    if (!isRoot())
        QSKIP("only root can start a listener of another user");
    const passwd *nobody = ::getpwnam("nobody");
    QVERIFY(nobody && nobody->pw_uid != ::geteuid());
    QTemporaryDir photos;
    const QString photo = writePicture(photos.filePath("a.jpg"), QSize(64, 48));
    const QString socketPath = SingleInstance::defaultSocketPath();
    QFile::remove(socketPath);

    int report[2];
    QCOMPARE(::pipe(report), 0);
    const pid_t listener =
        anotherUser
            ? listenAs(nobody->pw_uid, nobody->pw_gid, QFile::encodeName(socketPath), report[1])
            : listenAs(::geteuid(), ::getegid(), QFile::encodeName(socketPath), report[1]);
    ::close(report[1]);
    QVERIFY(listener > 0);
    char listening = 0;
    QCOMPARE(::read(report[0], &listening, 1), ssize_t(1));

    QProcess second;
    second.start(app(), {photo});
    QByteArray err;
    if (anotherUser) {
        // It says why, and keeps its own window open.
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         err += second.readAllStandardError();
                         return err.contains("runs as another user");
                     },
                     30000),
                 err.constData());
        QTest::qWait(500);
        QCOMPARE(second.state(), QProcess::Running);
        second.terminate();
    }
    QVERIFY(second.waitForFinished(60000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    int status = 0;
    QCOMPARE(::waitpid(listener, &status, 0), listener);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QByteArray received;
    char buffer[4096];
    for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;)
        received.append(buffer, n);
    ::close(report[0]);
    QFile::remove(socketPath);
    QCOMPARE(received, anotherUser ? QByteArray() : QFile::encodeName(photo) + QByteArray(2, '\0'));
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
