// The program as a user installs it: `cmake --install` into a temporary prefix, every installed
// file checked by the tool of its kind (desktop-file-validate, appstreamcli, man), and the
// Debian package built with CPack, inspected with dpkg and unpacked into a temporary root,
// where its program runs without a display.

#include "files.h"
#include "photos.h"
#include "process.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace testsupport;

namespace {

const QString kAppId = QStringLiteral("io.github.pelmora.Pelmora");
const QList<int> kIconSizes{16, 24, 32, 48, 64, 128, 256};

QString iconPath(const QString &size, const QString &suffix) {
    return QStringLiteral("share/icons/hicolor/%1/apps/%2.%3").arg(size, kAppId, suffix);
}

// Everything the program installs, relative to the prefix.
QStringList installedFiles() {
    QStringList files{QStringLiteral("bin/pelmora"), "share/applications/" + kAppId + ".desktop",
                      "share/metainfo/" + kAppId + ".metainfo.xml",
                      QStringLiteral("share/man/man1/pelmora.1.gz"),
                      iconPath(QStringLiteral("scalable"), QStringLiteral("svg"))};
    for (const int size : kIconSizes)
        files.append(iconPath(QStringLiteral("%1x%1").arg(size), QStringLiteral("png")));
    files.sort();
    return files;
}

// A headless environment: no display of any kind.
QProcessEnvironment withoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

Run runHeadless(const QString &program, const QStringList &arguments) {
    RunOptions options;
    options.environment = withoutDisplay();
    options.timeoutMs = 60000;
    return runProgram(program, arguments, options);
}

// The value of a key of a desktop entry's main group.
QString desktopValue(const QString &entry, const QString &key) {
    return QRegularExpression("^" + QRegularExpression::escape(key) + "=(.*)$",
                              QRegularExpression::MultilineOption)
        .match(entry)
        .captured(1);
}

QString report(const Run &run) {
    return QStringLiteral("exit %1\n%2%3").arg(run.exitCode).arg(run.out, run.err);
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void installedFile_data();
    void installedFile();
    void nothingElseInstalled();
    void debianPackage();

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_photos;
    QString m_photo;
};

void TestInstall::initTestCase() {
    for (const char *tool : {"desktop-file-validate", "appstreamcli", "man"})
        QVERIFY2(have(QString::fromLatin1(tool)), tool);
    QVERIFY(m_prefix.isValid());
    const Run install = runProgram(
        QStringLiteral(CMAKE_COMMAND),
        {"--install", QStringLiteral(PELMORA_BUILD_DIR), "--prefix", m_prefix.path()}, 120000);
    QVERIFY2(install.exitCode == 0, qPrintable(report(install)));
    m_photo = writePicture(m_photos.filePath("photo.jpg"), QSize(64, 48));
}

void TestInstall::installedFile_data() {
    QTest::addColumn<QString>("path");
    for (const QString &path : installedFiles())
        QTest::newRow(qPrintable(path)) << path;
}

void TestInstall::installedFile() {
    QFETCH(QString, path);
    const QDir prefix(m_prefix.path());
    const QString file = prefix.filePath(path);
    QVERIFY(QFileInfo(file).isFile());

    if (path.endsWith(".desktop")) {
        const Run valid = runProgram("desktop-file-validate", {file});
        QVERIFY2(valid.exitCode == 0 && valid.out.isEmpty(), qPrintable(report(valid)));
        const QString entry = QString::fromUtf8(readFile(file));
        QCOMPARE(desktopValue(entry, "Exec"), QStringLiteral("pelmora %F"));
        // The icon it names is installed.
        const QString icon = desktopValue(entry, "Icon");
        QVERIFY2(QFileInfo::exists(
                     prefix.filePath("share/icons/hicolor/scalable/apps/" + icon + ".svg")),
                 qPrintable(icon));
        const QStringList types = desktopValue(entry, "MimeType").split(u';');
        for (const char *type : {"image/jpeg", "image/png", "image/gif", "image/bmp", "image/webp",
                                 "image/tiff", "image/heic", "image/avif"})
            QVERIFY2(types.contains(QString::fromLatin1(type)), type);
    } else if (path.endsWith(".metainfo.xml")) {
        const Run valid = runProgram("appstreamcli", {"validate", "--no-net", file});
        QVERIFY2(valid.exitCode == 0, qPrintable(report(valid)));
        // It launches the installed desktop entry.
        const QString metainfo = QString::fromUtf8(readFile(file));
        QVERIFY(metainfo.contains(">" + kAppId + ".desktop</launchable>"));
        QVERIFY(metainfo.contains("docs/screenshot.png</image>"));
    } else if (path.endsWith(".1.gz")) {
        RunOptions options;
        options.environment.insert("MANWIDTH", "80");
        const Run page = runProgram("man", {"--warnings", "--local-file", file}, options);
        QVERIFY2(page.exitCode == 0 && page.err.isEmpty(), qPrintable(report(page)));
        for (const char *text : {"pelmora convert [OPTIONS] FILE...", "--resize PX", "THE WINDOW",
                                 "pelmora " PELMORA_VERSION})
            QVERIFY2(page.out.contains(QString::fromLatin1(text)), text);
    } else if (path.endsWith(".png")) {
        const int size = path.section(u'/', 3, 3).section(u'x', 0, 0).toInt();
        QImageReader reader(file);
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.size(), QSize(size, size));
    } else if (path.endsWith(".svg")) {
        QXmlStreamReader svg(readFile(file));
        QVERIFY(svg.readNextStartElement());
        QCOMPARE(svg.name().toString(), QStringLiteral("svg"));
        while (!svg.atEnd())
            svg.readNext();
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    } else {
        QVERIFY(QFileInfo(file).isExecutable());
        const Run version = runHeadless(file, {"--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QStringLiteral("pelmora " PELMORA_VERSION "\n"));
    }
}

void TestInstall::nothingElseInstalled() {
    QStringList installed = snapshot(m_prefix.path()).keys();
    installed.sort();
    QCOMPARE(installed, installedFiles());
}

void TestInstall::debianPackage() {
#if PELMORA_SANITIZE
    QSKIP("the sanitizer build's program is no program to package");
#endif
    QTemporaryDir work;
    const Run pack = runProgram(QStringLiteral(CPACK_COMMAND),
                                {"-G", "DEB", "-B", work.path(), "--config",
                                 QStringLiteral(PELMORA_BUILD_DIR "/CPackConfig.cmake")},
                                300000);
    QVERIFY2(pack.exitCode == 0, qPrintable(report(pack)));
    const QString deb =
        work.filePath(QStringLiteral("pelmora_" PELMORA_VERSION "_%1.deb")
                          .arg(runProgram("dpkg", {"--print-architecture"}).out.trimmed()));
    QVERIFY2(QFileInfo(deb).isFile(), qPrintable(pack.out));

    const Run info = runProgram("dpkg-deb", {"--info", deb});
    QCOMPARE(info.exitCode, 0);
    for (const char *field : {"Package: pelmora", "Version: " PELMORA_VERSION, "Section: graphics",
                              "Maintainer: ", "Description: rename and resize photos"})
        QVERIFY2(info.out.contains(QString::fromLatin1(field)), qPrintable(info.out));
    // dpkg-shlibdeps found the libraries; the plugins and the font are named by hand.
    const QString depends = QRegularExpression("\n Depends: ([^\n]*)").match(info.out).captured(1);
    for (const char *package :
         {"libc6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6network6",
          "qt6-image-formats-plugins", "fonts-ipafont-gothic"})
        QVERIFY2(depends.contains(QString::fromLatin1(package)), qPrintable(depends));

    // The package holds what `cmake --install` installs, under /usr.
    const Run contents = runProgram("dpkg", {"--contents", deb});
    QCOMPARE(contents.exitCode, 0);
    QStringList packaged;
    for (const QString &line : contents.out.split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(u'd'))
            packaged.append(line.section(u' ', -1).mid(QStringLiteral("./usr/").size()));
    }
    packaged.sort();
    QCOMPARE(packaged, installedFiles());

    // Unpacked into a root of its own, the program runs without a display.
    const QString root = work.filePath("root");
    QCOMPARE(runProgram("dpkg", {"--extract", deb, root}).exitCode, 0);
    const QString program = root + "/usr/bin/pelmora";
    const Run version = runHeadless(program, {"--version"});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("pelmora " PELMORA_VERSION "\n"));
    const Run size = runHeadless(program, {"size", m_photo});
    QVERIFY2(size.exitCode == 0, qPrintable(report(size)));
    QCOMPARE(size.out, QStringLiteral("ImageSze Width: 64  Height: 48\n"));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
