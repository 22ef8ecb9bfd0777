// Bad input, through the batch runner and through pelmora convert: whatever a photo, a name or
// the output folder is like, the batch goes on with the next photo, says what went wrong, and
// leaves every original as it was.

#include "batch/batchrunner.h"
#include "builders.h"
#include "files.h"
#include "photos.h"
#include "process.h"

#include <QTemporaryDir>
#include <QTest>

using namespace pelmora;
using namespace testsupport;

namespace {

constexpr int kLongerSide = 200;
const QSize kPhotoSize(320, 240);
const QSize kResizedSize(200, 150);

enum class Input {
    EmptyFile,
    TruncatedJpeg,
    CorruptJpeg,
    TextNamedJpg,
    HugePng,
    Folder,
    MissingFile,
    UnreadableFile,
    JapaneseName,
    SpacesInName,
    EmojiName,
    LongName,
    NamesDifferingInCase,
    SameFileTwice,
    ReadOnlyOutputFolder,
    OutputFolderUnderAFile,
};

// What becomes of the photos under test (the good photos around them always convert).
enum class Outcome {
    Converted,  // converted like any good photo
    Failed,     // fails with a reason; the batch goes on
    Either,     // a damaged photo the decoder may still read: converted whole, or failed
    NotStarted, // the output folder is unusable: the batch stops before any photo
    Refused,    // its header shows it too large: failed before the first photo, named once with
                // its reason; the batch goes on
};

struct Scenario {
    QString sourceFolder;
    QString outputFolder;
    QStringList paths;   // in list order: a good photo, the photos under test, a good photo
    QList<bool> subject; // whether paths[i] is under test
    QString skip;        // why this scenario cannot run here
};

QString name200() {
    QString name = QStringLiteral("long-");
    while (name.size() < 196)
        name += QStringLiteral("abcdefghij").left(196 - name.size());
    return name + QStringLiteral(".jpg");
}

// Builds the folders and files of a scenario under root.
Scenario build(Input input, const QString &root) {
    Scenario s;
    s.sourceFolder = root + QStringLiteral("/photos/");
    s.outputFolder = root + QStringLiteral("/out");
    auto photo = [&](const QString &name, int seed) {
        writeFile(s.sourceFolder + name, photoBytes(seed, kPhotoSize));
        return s.sourceFolder + name;
    };
    auto file = [&](const QString &name, const QByteArray &bytes) {
        writeFile(s.sourceFolder + name, bytes);
        return s.sourceFolder + name;
    };

    QStringList subjects;
    switch (input) {
    case Input::EmptyFile:
        subjects << file(QStringLiteral("empty.jpg"), {});
        break;
    case Input::TruncatedJpeg:
        subjects << file(QStringLiteral("truncated.jpg"), truncatedJpeg(photoBytes(3, kPhotoSize)));
        break;
    case Input::CorruptJpeg:
        subjects << file(QStringLiteral("corrupt.jpg"), corruptJpeg(photoBytes(3, kPhotoSize)));
        break;
    case Input::TextNamedJpg:
        subjects << file(QStringLiteral("notes.jpg"), "These are not the photos you want.\n");
        break;
    case Input::HugePng:
        subjects << file(QStringLiteral("huge.png"), hugePng());
        break;
    case Input::Folder:
        QDir().mkpath(s.sourceFolder + QStringLiteral("folder.jpg"));
        subjects << s.sourceFolder + QStringLiteral("folder.jpg");
        break;
    case Input::MissingFile:
        subjects << s.sourceFolder + QStringLiteral("missing.jpg");
        break;
    case Input::UnreadableFile:
        subjects << photo(QStringLiteral("locked.jpg"), 3);
        QFile::setPermissions(subjects.last(), QFileDevice::Permissions());
        if (isRoot())
            s.skip = QStringLiteral("root reads a file whatever its permissions");
        break;
    case Input::JapaneseName:
        subjects << photo(QStringLiteral("写真 東京タワー.jpg"), 3);
        break;
    case Input::SpacesInName:
        subjects << photo(QStringLiteral("  summer   holiday .jpg"), 3);
        break;
    case Input::EmojiName:
        subjects << photo(QStringLiteral("🌸😀👨‍👩‍👧.jpg"), 3);
        break;
    case Input::LongName:
        subjects << photo(name200(), 3);
        break;
    case Input::NamesDifferingInCase:
        subjects << photo(QStringLiteral("Photo.jpg"), 3) << photo(QStringLiteral("photo.jpg"), 4)
                 << photo(QStringLiteral("PHOTO.JPG"), 5);
        break;
    case Input::SameFileTwice:
        subjects << photo(QStringLiteral("twice.jpg"), 3) << s.sourceFolder + "twice.jpg";
        break;
    case Input::ReadOnlyOutputFolder:
        subjects << photo(QStringLiteral("middle.jpg"), 3);
        QDir().mkpath(s.outputFolder);
        QFile::setPermissions(s.outputFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (isRoot())
            s.skip = QStringLiteral("root writes into a read-only folder (the command line test "
                                    "uses a read-only mount instead)");
        break;
    case Input::OutputFolderUnderAFile:
        subjects << photo(QStringLiteral("middle.jpg"), 3);
        writeFile(root + QStringLiteral("/plain-file"), "a file, not a folder\n");
        s.outputFolder = root + QStringLiteral("/plain-file/out");
        break;
    }

    s.paths << photo(QStringLiteral("good-1.jpg"), 1);
    s.subject << false;
    for (const QString &p : subjects) {
        s.paths << p;
        s.subject << true;
    }
    s.paths << photo(QStringLiteral("good-2.jpg"), 2);
    s.subject << false;
    return s;
}

void addRows() {
    QTest::addColumn<Input>("input");
    QTest::addColumn<bool>("resize");
    QTest::addColumn<Outcome>("outcome");

    struct Row {
        const char *name;
        Input input;
        Outcome resizeOff; // a plain copy does not look inside the file
        Outcome resizeOn;
    };
    const Row rows[] = {
        {"empty file", Input::EmptyFile, Outcome::Converted, Outcome::Failed},
        {"truncated JPEG", Input::TruncatedJpeg, Outcome::Converted, Outcome::Either},
        {"corrupt JPEG data", Input::CorruptJpeg, Outcome::Converted, Outcome::Either},
        {"text named .jpg", Input::TextNamedJpg, Outcome::Converted, Outcome::Failed},
        {"PNG declaring 65535 x 65535", Input::HugePng, Outcome::Converted, Outcome::Refused},
        {"folder on the list", Input::Folder, Outcome::Failed, Outcome::Failed},
        {"missing file", Input::MissingFile, Outcome::Failed, Outcome::Failed},
        {"unreadable file", Input::UnreadableFile, Outcome::Failed, Outcome::Failed},
        {"Japanese name", Input::JapaneseName, Outcome::Converted, Outcome::Converted},
        {"spaces in name", Input::SpacesInName, Outcome::Converted, Outcome::Converted},
        {"emoji name", Input::EmojiName, Outcome::Converted, Outcome::Converted},
        {"200-character name", Input::LongName, Outcome::Converted, Outcome::Converted},
        {"names differing in case", Input::NamesDifferingInCase, Outcome::Converted,
         Outcome::Converted},
        {"same file twice", Input::SameFileTwice, Outcome::Converted, Outcome::Converted},
        {"read-only output folder", Input::ReadOnlyOutputFolder, Outcome::NotStarted,
         Outcome::NotStarted},
        {"output folder under a file", Input::OutputFolderUnderAFile, Outcome::NotStarted,
         Outcome::NotStarted},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s, resize off", row.name) << row.input << false << row.resizeOff;
        QTest::addRow("%s, resize on", row.name) << row.input << true << row.resizeOn;
    }
}

QHash<QString, QByteArray> originals(const Scenario &s) {
    QHash<QString, QByteArray> bytes;
    for (const QString &p : s.paths)
        if (QFileInfo(p).isFile())
            bytes.insert(p, readFile(p));
    return bytes;
}

// Every file in the output folder is a converted photo or an unchanged copy of an original; no
// temporary or half-written file is left.
void verifyOutputFolder(const Scenario &s, bool resize, const QStringList &expectedNames) {
    const QStringList names = allNames(s.outputFolder);
    QCOMPARE(names, expectedNames);
    QList<QByteArray> sources;
    for (const QString &p : s.paths)
        sources << readFile(p);
    for (const QString &name : names) {
        const QString path = s.outputFolder + u'/' + name;
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(name));
        const bool whole = resize && isCompleteJpeg(path, kResizedSize);
        QVERIFY2(whole || sources.contains(readFile(path)),
                 qPrintable(name + QStringLiteral(" is neither converted nor a copy")));
    }
}

} // namespace

Q_DECLARE_METATYPE(Input)
Q_DECLARE_METATYPE(Outcome)

class TestBadInput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void throughBatchRunner_data() { addRows(); }
    void throughBatchRunner();
    void throughConvertCommand_data() { addRows(); }
    void throughConvertCommand();
    void readOnlyMountedOutputFolder();
};

void TestBadInput::throughBatchRunner() {
    QFETCH(Input, input);
    QFETCH(bool, resize);
    QFETCH(Outcome, outcome);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const Scenario s = build(input, dir.path());
    if (!s.skip.isEmpty())
        QSKIP(qPrintable(s.skip));
    const QHash<QString, QByteArray> before = originals(s);

    BatchRequest request;
    for (const QString &p : s.paths)
        request.entries.append(splitPath(p));
    request.pattern = {QStringLiteral("Untitled"), QStringLiteral("01"), QString()};
    request.rename = true;
    request.resize = resize;
    request.resizeSettings.longerSide = QString::number(kLongerSide);
    request.outputFolder = s.outputFolder;
    const BatchResult batch = runBatch(request);

    QCOMPARE(batch.entries.size(), s.paths.size());
    QStringList expectedNames;
    if (outcome == Outcome::NotStarted) {
        QVERIFY(!batch.started());
        QVERIFY(!batch.fatalError.isEmpty());
        for (const BatchEntryResult &e : batch.entries)
            QCOMPARE(e.result.status, ConversionStatus::NotStarted);
    } else {
        QVERIFY2(batch.started(), qPrintable(batch.fatalError));
        for (qsizetype i = 0; i < s.paths.size(); ++i) {
            const ConversionResult &r = batch.entries[i].result;
            const Outcome expected = s.subject[i] ? outcome : Outcome::Converted;
            const QString what = s.paths[i] + QStringLiteral(": ") + r.reason;
            if (expected == Outcome::Converted)
                QVERIFY2(r.converted(), qPrintable(what));
            else if (expected == Outcome::Failed || expected == Outcome::Refused)
                QVERIFY2(r.status == ConversionStatus::Failed, qPrintable(what));
            QCOMPARE(r.refusedForSize, expected == Outcome::Refused);
            if (expected == Outcome::Refused)
                QVERIFY2(r.reason.startsWith(QStringLiteral("the picture is too large")) &&
                             !r.reason.contains(batch.entries[i].entry.name),
                         qPrintable(what));
            if (r.converted()) {
                QVERIFY(r.reason.isEmpty());
                QCOMPARE(r.resized, resize);
                if (resize)
                    QVERIFY2(isCompleteJpeg(r.finalPath, kResizedSize), qPrintable(r.finalPath));
                else
                    QCOMPARE(readFile(r.finalPath), before.value(s.paths[i]));
            } else {
                QVERIFY2(!r.reason.isEmpty(), qPrintable(s.paths[i]));
            }
            if (!r.finalPath.isEmpty())
                expectedNames << QFileInfo(r.finalPath).fileName();
        }
        expectedNames.sort();
    }

    for (auto it = before.begin(); it != before.end(); ++it)
        QVERIFY2(readFile(it.key()) == it.value(), qPrintable(it.key() + " changed"));
    if (QFileInfo(s.outputFolder).isDir())
        verifyOutputFolder(s, resize, expectedNames);
}

void TestBadInput::throughConvertCommand() {
    QFETCH(Input, input);
    QFETCH(bool, resize);
    QFETCH(Outcome, outcome);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const Scenario s = build(input, dir.path());
    if (!s.skip.isEmpty())
        QSKIP(qPrintable(s.skip));
    const QHash<QString, QByteArray> before = originals(s);

    QStringList arguments{QStringLiteral("convert"), QStringLiteral("--out"), s.outputFolder};
    if (resize)
        arguments << QStringLiteral("--resize") << QString::number(kLongerSide);
    const Run run = runProgram(app(), arguments + s.paths);
    const QStringList errorLines = run.err.split(u'\n', Qt::SkipEmptyParts);

    for (auto it = before.begin(); it != before.end(); ++it)
        QVERIFY2(readFile(it.key()) == it.value(), qPrintable(it.key() + " changed"));

    if (outcome == Outcome::NotStarted) {
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("no photo was touched")), qPrintable(run.err));
        if (QFileInfo(s.outputFolder).isDir())
            QCOMPARE(allNames(s.outputFolder), QStringList());
        return;
    }

    // One line on standard error per failed photo, naming it; none for a converted one.
    int failed = 0;
    int number = 0;
    QStringList expectedNames;
    for (qsizetype i = 0; i < s.paths.size(); ++i) {
        // The command line reads a folder as the pictures inside it: one with none is said so
        // and takes no number.
        if (!QFileInfo(s.paths[i]).isDir())
            ++number;
        const QString path = QFileInfo(s.paths[i]).absoluteFilePath();
        // A line naming the photo says it failed; a warning goes with a converted photo.
        const bool reported =
            std::any_of(errorLines.begin(), errorLines.end(), [&](const QString &l) {
                return l.startsWith(path) && !l.startsWith(path + QStringLiteral(": warning: "));
            });
        const Outcome expected = s.subject[i] ? outcome : Outcome::Converted;
        if (expected == Outcome::Converted)
            QVERIFY2(!reported, qPrintable(run.err));
        else if (expected == Outcome::Failed)
            QVERIFY2(reported, qPrintable(path + QStringLiteral(" not reported in:\n") + run.err));
        else if (expected == Outcome::Refused) // first, once, with its reason alone
            QVERIFY2(errorLines.first().startsWith(path + QStringLiteral(": the picture is too "
                                                                         "large (")) &&
                         run.err.count(path) == 1 &&
                         errorLines.first().count(QFileInfo(path).fileName()) == 1,
                     qPrintable(run.err));
        failed += reported ? 1 : 0;

        // The names the photos were given, whether converted or not: UntitledNN + extension.
        const QString extension = resize ? QStringLiteral("JPG") : QFileInfo(s.paths[i]).suffix();
        const QString target =
            QStringLiteral("Untitled%1.%2").arg(number, 2, 10, QLatin1Char('0')).arg(extension);
        if (!reported)
            expectedNames << target; // a photo that failed leaves nothing behind
        if (expected == Outcome::Converted) {
            const QString out = s.outputFolder + u'/' + target;
            if (resize)
                QVERIFY2(isCompleteJpeg(out, kResizedSize), qPrintable(out));
            else
                QCOMPARE(readFile(out), before.value(s.paths[i]));
        }
    }
    QCOMPARE(run.exitCode, failed > 0 ? 1 : 0);
    QVERIFY2(run.out.contains(QStringLiteral("failed %1,").arg(failed)), qPrintable(run.out));
    expectedNames.sort();
    verifyOutputFolder(s, resize, expectedNames);
}

// The command line refuses an output folder on a read-only file system before touching a photo.
// Root writes into a folder whatever its permissions, so the folder is mounted read-only in a
// private mount namespace.
void TestBadInput::readOnlyMountedOutputFolder() {
    const QString unavailable = mountNamespaceUnavailable();
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(unavailable));

    QTemporaryDir dir;
    const Scenario s = build(Input::JapaneseName, dir.path());
    QVERIFY(QDir().mkpath(s.outputFolder));
    const QHash<QString, QByteArray> before = originals(s);
    const QString script =
        QStringLiteral("set -e; out=\"$1\"; shift; mount --bind \"$out\" \"$out\"; "
                       "mount -o remount,bind,ro \"$out\"; exec \"$@\"");
    const Run run = runProgram(QStringLiteral("unshare"),
                               QStringList{"-m", "sh", "-c", script, "sh", s.outputFolder, app(),
                                           "convert", "--resize", "200", "--out", s.outputFolder} +
                                   s.paths);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("not writable")), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("no photo was touched")), qPrintable(run.err));
    QCOMPARE(allNames(s.outputFolder), QStringList());
    for (auto it = before.begin(); it != before.end(); ++it)
        QVERIFY2(readFile(it.key()) == it.value(), qPrintable(it.key() + " changed"));
}

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
