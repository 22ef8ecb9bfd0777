// The program as a user installs it: `cmake --install` into a temporary prefix, every installed
// file checked by the tool of its kind (desktop-file-validate, appstreamcli, man,
// dpkg-parsechangelog, bash-completion), and the Debian package built with CPack, checked by
// lintian, inspected with dpkg and unpacked into a temporary root, where its program runs
// without a display.

#include "files.h"
#include "photos.h"
#include "process.h"

#include <QDateTime>
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
    QStringList files{QStringLiteral("bin/pelmora"),
                      QStringLiteral(PELMORA_MODULE_DIR "/pelmora-metadata.so"),
                      "share/applications/" + kAppId + ".desktop",
                      "share/metainfo/" + kAppId + ".metainfo.xml",
                      QStringLiteral("share/man/man1/pelmora.1.gz"),
                      QStringLiteral("share/bash-completion/completions/pelmora"),
                      QStringLiteral("share/doc/pelmora/copyright"),
                      QStringLiteral("share/doc/pelmora/changelog.gz"),
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

// The newest release an AppStream metainfo file lists: its version and date.
QStringList newestRelease(const QString &metainfo) {
    const QRegularExpressionMatch release =
        QRegularExpression(R"re(<release version="([^"]*)" date="([^"]*)")re").match(metainfo);
    return {release.captured(1), release.captured(2)};
}

// A field of the newest entry of a Debian changelog, as dpkg-parsechangelog reads it.
QString changelogField(const QString &changelog, const QString &field) {
    return runProgram("dpkg-parsechangelog", {"--file", changelog, "--show-field", field})
        .out.trimmed();
}

// Each line's completions, as bash-completion's loader finds the completion of the programs
// installed under prefix and bash would ask it at the end of the line: "line|completions".
// bash is not interactive, so the completion's compopt calls complain on standard error.
Run completeInBash(const QString &prefix, const QStringList &lines, const QString &folder) {
    const QString script = QStringLiteral(R"(
source /usr/share/bash-completion/bash_completion || exit 3
_completion_loader pelmora
spec=$(complete -p pelmora) || exit 4
function=${spec#*-F }
function=${function%% *}
for line; do
    COMP_LINE=$line COMP_POINT=${#line}
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    "$function" pelmora "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    echo "$line|${COMPREPLY[*]}"
done
)");
    RunOptions options;
    options.workingDirectory = folder;
    options.environment.insert("XDG_DATA_DIRS", prefix + "/share");
    options.environment.insert("BASH_COMPLETION_USER_DIR", folder + "/none");
    return runProgram("bash", QStringList{"-c", script, "bash"} + lines, options);
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
        QVERIFY(metainfo.contains("<project_license>GPL-3.0-or-later</project_license>"));
        QVERIFY(metainfo.contains("<metadata_license>CC0-1.0</metadata_license>"));
        QCOMPARE(newestRelease(metainfo).first(), QStringLiteral(PELMORA_VERSION));
    } else if (path.endsWith(".1.gz")) {
        RunOptions options;
        options.environment.insert("MANWIDTH", "80");
        const Run page = runProgram("man", {"--warnings", "--local-file", file}, options);
        QVERIFY2(page.exitCode == 0 && page.err.isEmpty(), qPrintable(report(page)));
        for (const char *text :
             {"pelmora convert [OPTIONS] FILE...", "--resize PX", "THE WINDOW", "EXIT STATUS",
              "FILES", "$XDG_DATA_HOME/pelmora/undo/command-line/",
              "$XDG_DATA_HOME/pelmora/undo/window/", ".pelmora-XXXXXXXX.bak", "EXAMPLES",
              "pelmora convert --resize 250 --out small/ *.jpg", "SEE ALSO", "GPL-3.0-or-later",
              "pelmora " PELMORA_VERSION})
            QVERIFY2(page.out.contains(QString::fromLatin1(text)), text);
        // Each of undo's options is an entry of its own, not the end of a paragraph.
        QVERIFY2(QRegularExpression(R"(\n +--dry-run\n +only list what would be undone\n\n)")
                     .match(page.out)
                     .hasMatch(),
                 qPrintable(page.out));
    } else if (path.endsWith("/copyright")) {
        // Debian's machine-readable form; lintian reads it in the package.
        const QString copyright = QString::fromUtf8(readFile(file));
        QVERIFY2(copyright.startsWith("Format: https://www.debian.org/doc/packaging-manuals/"
                                      "copyright-format/1.0/\n"),
                 qPrintable(copyright));
        QVERIFY(copyright.contains("\nFiles: *\nCopyright: "));
        QVERIFY(copyright.contains("\nLicense: GPL-3+\n"));
        QVERIFY(copyright.contains("/usr/share/common-licenses/GPL-3"));
    } else if (path.endsWith("/changelog.gz")) {
        // Its newest entry is this version's release, on the metainfo's date.
        QCOMPARE(changelogField(file, "Version"), QStringLiteral(PELMORA_VERSION));
        const QString metainfo = QString::fromUtf8(
            readFile(prefix.filePath("share/metainfo/" + kAppId + ".metainfo.xml")));
        const QDateTime released =
            QDateTime::fromSecsSinceEpoch(changelogField(file, "Timestamp").toLongLong(), Qt::UTC);
        QCOMPARE(released.date().toString(Qt::ISODate), newestRelease(metainfo).last());
    } else if (path.startsWith("share/bash-completion/")) {
        QVERIFY2(QFileInfo::exists("/usr/share/bash-completion/bash_completion"),
                 "bash-completion is missing: scripts/install-deps installs it");
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("small"));
        QVERIFY(writeFile(folder.filePath("photo.jpg"), "picture"));
        const Run bash = completeInBash(
            m_prefix.path(),
            {"pelmora con", "pelmora convert --keep", "pelmora convert --out ", "pelmora size --j"},
            folder.path());
        QVERIFY2(bash.exitCode == 0, qPrintable(report(bash)));
        QCOMPARE(bash.out, QStringLiteral("pelmora con|convert\n"
                                          "pelmora convert --keep|--keep-location\n"
                                          "pelmora convert --out |small\n"
                                          "pelmora size --j|--json\n"));
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
    } else if (path.endsWith(".so")) { // the metadata module, found by the installed program
        const QString program = m_prefix.filePath(QStringLiteral("bin/pelmora"));
        const Run resized = runHeadless(
            program, {"convert", "--resize", "16", "--out", m_prefix.filePath("out"), m_photo});
        QVERIFY2(resized.exitCode == 0 && !resized.err.contains("module"),
                 qPrintable(report(resized)));
        QVERIFY(QFile::remove(m_prefix.filePath("out/Untitled01.JPG")) &&
                QDir(m_prefix.path()).rmdir("out"));
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

    // Debian's own checks find nothing to say, not even for information.
    if (have("lintian")) {
        const Run lint = runProgram("lintian", {"--display-info", deb}, 300000);
        QVERIFY2(lint.exitCode == 0 && lint.out.isEmpty(), qPrintable(report(lint)));
    }

    const Run info = runProgram("dpkg-deb", {"--info", deb});
    QCOMPARE(info.exitCode, 0);
    for (const char *field : {"Package: pelmora", "Version: " PELMORA_VERSION, "Section: graphics",
                              "Maintainer: ", "Description: rename and resize photos"})
        QVERIFY2(info.out.contains(QString::fromLatin1(field)), qPrintable(info.out));
    // dpkg-shlibdeps found the libraries; the plugins and the font are named by hand.
    const QString depends = QRegularExpression("\n Depends: ([^\n]*)").match(info.out).captured(1);
    for (const char *package :
         {"libc6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6network6", "libexiv2-27",
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
    const Run resized =
        runHeadless(program, {"convert", "--resize", "16", "--out", work.filePath("out"), m_photo});
    QVERIFY2(resized.exitCode == 0 && !resized.err.contains("module"), qPrintable(report(resized)));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
