// `pelmora size FILE...`: its output, its exit status, and its agreement with ImageMagick on the
// wallpapers and backgrounds that Debian's packages install.

#include "builders.h"
#include "files.h"
#include "heif.h"
#include "photos.h"
#include "process.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Result runSize(const QStringList &files, const QString &workingDirectory = {}) {
    Result result;
    const QString app = qEnvironmentVariable("PELMORA_APP");
    if (app.isEmpty())
        return result;
    QProcess process;
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(app, QStringList{"size"} + files);
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// identify's orientation names for EXIF orientations 5 to 8: a quarter turn.
bool quarterTurn(const QByteArray &orientation) {
    return orientation == "LeftTop" || orientation == "RightTop" || orientation == "RightBottom" ||
           orientation == "LeftBottom";
}

} // namespace

class TestSizeCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void oneFile();
    void twoFiles();
    void pathsAsGiven();
    void textFile();
    void someUnread();
    void recognisedButUnread();
    void noFile();
    void options_data();
    void options();
    void help();
    void agreesWithImageMagick();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestSizeCommand::initTestCase() {
    QVERIFY2(!qEnvironmentVariable("PELMORA_APP").isEmpty(), "PELMORA_APP is not set");
    QVERIFY(QFileInfo(qEnvironmentVariable("PELMORA_APP")).isExecutable());
    QVERIFY(m_dir.isValid());
    QVERIFY(writeFile(path("photo.jpg"), qtJpeg(QSize(640, 480))));
    QVERIFY(writeFile(path("a.gif"), gifHeader(300, 200)));
    QVERIFY(writeFile(path("b.png"), pngHeader(70000, 3)));
    // A phone's photo, stored sideways and turned upright by its irot property.
    const QByteArray heic =
        withHeifRotation(heifEncode(encode(picture(QSize(96, 64)), "png"), "png"), 1);
    QVERIFY2(!heic.isEmpty(), "heif-enc (libheif-examples) made no HEIC");
    QVERIFY(writeFile(path("c.heic"), heic));
    QVERIFY(writeFile(path("text.jpg"), "not a picture\n"));
    QVERIFY(writeFile(path("bare.jpg"), QByteArray::fromHex("FFD8")));
    QVERIFY(writeFile(path("-dash.jpg"), qtJpeg(QSize(20, 10))));
    QVERIFY(writeFile(path("pictures/b.png"), pngHeader(70000, 3)));
    QVERIFY(writeFile(path("pictures/A.gif"), gifHeader(300, 200)));
    QVERIFY(writeFile(path("pictures/.hidden.gif"), gifHeader(30, 20)));
    QVERIFY(writeFile(path("pictures/notes.txt"), "not a picture\n"));
    QVERIFY(writeFile(path("mixed/ok.gif"), gifHeader(300, 200)));
    QVERIFY(writeFileNamed(path("mixed"), "caf\xE9.gif", gifHeader(30, 20)));
    QVERIFY(writeFile(path("raw.dng"), dngFile(6000, 4000)));
    QVERIFY(writeFile(path("raw.cr3"), QByteArray("\0\0\0\x18"
                                                  "ftypcrx \0\0\0\x01"
                                                  "crx isom",
                                                  24)));
}

void TestSizeCommand::cleanupTestCase() {
    removeTree(m_dir.path()); // a name Qt cannot spell
}

void TestSizeCommand::oneFile() {
    const Result r = runSize({path("photo.jpg")});
    QCOMPARE(r.out, QByteArray("ImageSze Width: 640  Height: 480\n"));
    QCOMPARE(r.exitCode, 0);
}

void TestSizeCommand::twoFiles() {
    const Result r = runSize({"a.gif", "b.png", "c.heic"}, m_dir.path());
    QCOMPARE(r.out, QByteArray("a.gif: ImageSze Width: 300  Height: 200\n"
                               "b.png: ImageSze Width: 70000  Height: 3\n"
                               "c.heic: ImageSze Width: 64  Height: 96\n"));
    QCOMPARE(r.exitCode, 0);
}

void TestSizeCommand::pathsAsGiven() {
    const QString absolute = path("a.gif");
    const QString dotted = "./sub/../photo.jpg";
    QVERIFY(QDir(m_dir.path()).mkpath("sub"));
    const Result r = runSize({absolute, dotted}, m_dir.path());
    QCOMPARE(QString::fromUtf8(r.out), absolute + ": ImageSze Width: 300  Height: 200\n" + dotted +
                                           ": ImageSze Width: 640  Height: 480\n");
    QCOMPARE(r.exitCode, 0);
}

void TestSizeCommand::textFile() {
    const Result r = runSize({path("text.jpg")});
    QCOMPARE(r.out, QByteArray("Error\n"));
    QCOMPARE(r.exitCode, 1);
}

// The window's "Error" for each file not read, and why on standard error; a folder with no
// picture in it is said there alone.
void TestSizeCommand::someUnread() {
    const Result r = runSize({"photo.jpg", "missing.jpg", "text.jpg", "sub"}, m_dir.path());
    QCOMPARE(r.out, QByteArray("photo.jpg: ImageSze Width: 640  Height: 480\n"
                               "missing.jpg: Error\n"
                               "text.jpg: Error\n"));
    QCOMPARE(r.err, QByteArray("pelmora size: missing.jpg: no such file\n"
                               "pelmora size: text.jpg: not a picture of a known format (JPEG, "
                               "PNG, GIF, BMP, WebP, TIFF, HEIF)\n"
                               "pelmora size: sub: no picture in this folder\n"));
    QCOMPARE(r.exitCode, 1);
    QVERIFY(!QFileInfo::exists(path("missing.jpg")));
}

// A JPEG signature with no frame header: recognised, so shown as the window shows it, with a
// size of 0 x 0; but no size was read, and that is said.
void TestSizeCommand::recognisedButUnread() {
    const Result r = runSize({path("bare.jpg")});
    QCOMPARE(r.out, QByteArray("ImageSze Width: 0  Height: 0\n"));
    QCOMPARE(r.err, "pelmora size: " + path("bare.jpg").toUtf8() +
                        ": the picture's header is cut short or damaged\n");
    QCOMPARE(r.exitCode, 1);
}

void TestSizeCommand::noFile() {
    const Result r = runSize({});
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    QVERIFY2(r.err.contains("usage: pelmora size"), r.err.constData());
}

// Options, and the forms for scripts. Run in the test's folder.
void TestSizeCommand::options_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err"); // the first line of it
    QTest::addColumn<int>("exitCode");

    QTest::newRow("a name with a dash, after --")
        << QStringList{"--", "-dash.jpg"} << QByteArray("ImageSze Width: 20  Height: 10\n")
        << QByteArray() << 0;
    QTest::newRow("a name with a dash, before --: an option")
        << QStringList{"-dash.jpg"} << QByteArray()
        << QByteArray("pelmora size: unknown option -dash.jpg") << 2;
    QTest::newRow("-- alone") << QStringList{"--"} << QByteArray()
                              << QByteArray("pelmora size: no file given") << 2;
    QTest::newRow("--format: one line for each file read, the reason for the others")
        << QStringList{"--format", "%f: %wx%h (100%%)", "a.gif", "missing.jpg", "c.heic"}
        << QByteArray("a.gif: 300x200 (100%)\nc.heic: 64x96 (100%)\n")
        << QByteArray("pelmora size: missing.jpg: no such file") << 1;
    QTest::newRow("--format=, with a placeholder it does not have")
        << QStringList{"--format=%w %x", "a.gif"} << QByteArray()
        << QByteArray("pelmora size: --format: no placeholder \"%x\" (there are %w, %h, %f and "
                      "%%)")
        << 2;
    QTest::newRow("--json: the sizes and formats, the reason for a file not read")
        << QStringList{"--json", "c.heic", "text.jpg"}
        << QByteArray("[\n"
                      "    {\n"
                      "        \"file\": \"c.heic\",\n"
                      "        \"format\": \"heic\",\n"
                      "        \"height\": 96,\n"
                      "        \"width\": 64\n"
                      "    },\n"
                      "    {\n"
                      "        \"error\": \"not a picture of a known format (JPEG, PNG, GIF, "
                      "BMP, WebP, TIFF, HEIF)\",\n"
                      "        \"file\": \"text.jpg\"\n"
                      "    }\n"
                      "]\n")
        << QByteArray("pelmora size: text.jpg: not a picture of a known format (JPEG, PNG, "
                      "GIF, BMP, WebP, TIFF, HEIF)")
        << 1;
    QTest::newRow("--json: a folder's picture whose name is no UTF-8 is said, as a file not read")
        << QStringList{"--json", "mixed"}
        << QByteArray("[\n"
                      "    {\n"
                      "        \"file\": \"mixed/ok.gif\",\n"
                      "        \"format\": \"gif\",\n"
                      "        \"height\": 200,\n"
                      "        \"width\": 300\n"
                      "    },\n"
                      "    {\n"
                      "        \"error\": \"the name is not valid UTF-8, so pelmora cannot open "
                      "the photo\",\n"
                      "        \"file\": \"mixed/caf\xEF\xBF\xBD.gif\"\n"
                      "    }\n"
                      "]\n")
        << QByteArray("pelmora size: mixed/caf\xEF\xBF\xBD.gif: the name is not valid UTF-8, "
                      "so pelmora cannot open the photo")
        << 1;
    QTest::newRow("camera RAW files: the full picture, or why there is no size")
        << QStringList{"--format", "%f %w %h", "raw.dng", "raw.cr3"}
        << QByteArray("raw.dng 6000 4000\n")
        << QByteArray("pelmora size: raw.cr3: a camera RAW file (CR3) whose picture size pelmora "
                      "cannot read")
        << 1;
    QTest::newRow("a folder: its pictures by name, letter case aside, named by the folder")
        << QStringList{"--format", "%f %w %h", "pictures/"}
        << QByteArray("pictures/A.gif 300 200\npictures/b.png 70000 3\n") << QByteArray() << 0;
}

void TestSizeCommand::options() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);

    const Result r = runSize(arguments, m_dir.path());
    QCOMPARE(r.out, out);
    QCOMPARE(r.err.split('\n').first(), err);
    QCOMPARE(r.exitCode, exitCode);
}

void TestSizeCommand::help() {
    Result r = runSize({"--help"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith("pelmora size"));
    QProcess process;
    process.start(qEnvironmentVariable("PELMORA_APP"), {"--help"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QByteArray all = process.readAllStandardOutput();
    QVERIFY(all.contains("pelmora size [--format FMT | --json] [--] FILE..."));
    QVERIFY(!all.contains("(to be written)\nsize"));
}

// Every JPEG, PNG, GIF and BMP of the installed wallpapers: `pelmora size` (run once with all of
// them) agrees with ImageMagick's header-only reading, with JPEGs turned upright where their
// EXIF orientation says so, and GIFs measured by their logical screen (the page size).
void TestSizeCommand::agreesWithImageMagick() {
    QStringList roots;
    for (const QString &root : QStringList{"/usr/share/wallpapers", "/usr/share/backgrounds"}) {
        if (QFileInfo(root).isDir())
            roots << root;
    }
    if (roots.isEmpty())
        QSKIP("neither /usr/share/wallpapers nor /usr/share/backgrounds exists");
    const QString identify = "identify-im6.q16";
    if (!have(identify))
        QSKIP("identify-im6.q16 is not installed (scripts/install-deps installs imagemagick)");

    const QSet<QString> suffixes{"jpg", "jpeg", "jpe", "png", "gif", "bmp"};
    QStringList files;
    for (const QString &root : std::as_const(roots)) {
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (suffixes.contains(QFileInfo(file).suffix().toLower()) && !file.contains(u'['))
                files << file;
        }
    }
    files.sort();
    if (files.size() < 2)
        QSKIP("fewer than two pictures in the wallpaper folders");

    // ImageMagick, header only, in batches; each line ends with the file name as given.
    QHash<QString, QSize> expected;
    constexpr int Batch = 64;
    for (qsizetype first = 0; first < files.size(); first += Batch) {
        QStringList arguments{"-ping", "-format", "%w %h %W %H %[orientation] %i\n"};
        arguments += files.mid(first, Batch);
        // a file it cannot read is missing from the output
        const QByteArray out = runProgram(identify, arguments, 120000).out.toUtf8();
        for (const QByteArray &line : out.split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() < 6)
                continue;
            const QString file =
                QString::fromUtf8(line.mid(fields[0].size() + fields[1].size() + fields[2].size() +
                                           fields[3].size() + fields[4].size() + 5));
            if (expected.contains(file))
                continue; // a later frame of an animation
            const bool gif = QFileInfo(file).suffix().toLower() == u"gif";
            QSize size(fields[gif ? 2 : 0].toInt(), fields[gif ? 3 : 1].toInt());
            if (quarterTurn(fields[4]))
                size.transpose();
            expected.insert(file, size);
        }
    }

    const Result r = runSize(files);
    QVERIFY(r.exitCode == 0 || r.exitCode == 1);
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.size(), files.size() + 1); // and an empty one after the last newline
    QStringList mismatches;
    int checked = 0;
    QSet<QString> distinct;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString &file = files[i];
        const QString line = QString::fromUtf8(lines[i]);
        QVERIFY2(line.startsWith(file + ": "), qPrintable(line));
        if (!expected.contains(file)) {
            qWarning("ImageMagick could not read %s; pelmora says %s", qPrintable(file),
                     qPrintable(line));
            continue;
        }
        const QSize size = expected.value(file);
        const QString want = QStringLiteral("%1: ImageSze Width: %2  Height: %3")
                                 .arg(file)
                                 .arg(size.width())
                                 .arg(size.height());
        if (line != want)
            mismatches << line + "  (ImageMagick: " + want.mid(file.size() + 2) + ")";
        ++checked;
        distinct.insert(QFileInfo(file).canonicalFilePath());
    }
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(u'\n')));
    QVERIFY(checked > 0);
    qInfo("pelmora size agrees with ImageMagick on %d wallpaper files (%d distinct after "
          "symbolic links)",
          checked, int(distinct.size()));
}

QTEST_GUILESS_MAIN(TestSizeCommand)
#include "tst_sizecommand.moc"
