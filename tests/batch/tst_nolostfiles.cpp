// Ordinary slips and ordinary folders never cost a file: every file that was there before a
// batch is unchanged unless the batch was meant to change it, no output is a second name of an
// original, and the summary says what happened to each photo.

#include "batch/batchrunner.h"
#include "files.h"
#include "photos.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace pelmora;
using namespace testsupport;

namespace {

struct Setup {
    QStringList files;    // "path=photo N" or "path=text"; "path->target" makes a symbolic link
    QStringList entries;  // relative paths, in list order
    QString outputFolder; // relative; empty: in place
    bool rename = true;
    bool resize = false;
};

QString longName() {
    return QString(246, u'n') + QStringLiteral(".jpg"); // 250 bytes
}

void make(const QTemporaryDir &dir, const QStringList &files) {
    for (const QString &file : files) {
        if (file.contains(QStringLiteral("->"))) {
            const QStringList link = file.split(QStringLiteral("->"));
            QDir().mkpath(QFileInfo(dir.filePath(link[0])).absolutePath());
            QVERIFY(QFile::link(link[1], dir.filePath(link[0])));
            continue;
        }
        const QStringList parts = file.split(u'=');
        const QByteArray bytes = parts[1].startsWith(u"photo")
                                     ? photoBytes(parts[1].mid(6).toInt(), QSize(64, 48))
                                     : parts[1].toUtf8();
        QVERIFY(writeFile(dir.filePath(parts[0]), bytes));
    }
}

// Every regular file below root by its inode.
QHash<quint64, QString> inodes(const QString &root) {
    QHash<quint64, QString> all;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0)
            all.insert(quint64(st.st_ino), path);
    }
    return all;
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestNoLostFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void batch_data();
    void batch();
};

void TestNoLostFiles::batch_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("after");    // describeTree of the test folder
    QTest::addColumn<QStringList>("outcomes"); // per photo: "converted", or a piece of its reason

    QTest::newRow("a same-name file in the output folder stays")
        << Setup{{"s/IMG_1.jpg=photo 1", "o/IMG_1.jpg=notes"}, {"s/IMG_1.jpg"}, "o"}
        << QStringList{"o/", "o/IMG_1.jpg=bytes:" + sha1("notes"), "o/Untitled01.jpg=photo 1", "s/",
                       "s/IMG_1.jpg=photo 1"}
        << QStringList{"converted"};
    QTest::newRow("renaming off replaces a same-name file in the output folder")
        << Setup{{"s/IMG_1.jpg=photo 1", "o/IMG_1.jpg=notes"}, {"s/IMG_1.jpg"}, "o", false}
        << QStringList{"o/", "o/IMG_1.jpg=photo 1", "s/", "s/IMG_1.jpg=photo 1"}
        << QStringList{"converted"};
    QTest::newRow("output folder typed as the photos' own: the copy goes beside")
        << Setup{{"s/a.jpg=photo 1"}, {"s/a.jpg"}, "s", true, true}
        << QStringList{"s/", "s/Untitled01.jpg=jpeg 64x48", "s/a.jpg=photo 1"}
        << QStringList{"converted"};
    QTest::newRow("output folder typed as the photos' own, renaming off")
        << Setup{{"s/a.jpg=photo 1", "s/b.jpg=photo 2"}, {"s/a.jpg", "s/b.jpg"}, "s", false}
        << QStringList{"s/", "s/a.jpg=photo 1", "s/b.jpg=photo 2"}
        << QStringList{"own folder", "own folder"};
    QTest::newRow("output folder reached through a link, renaming off")
        << Setup{{"s/a.jpg=photo 1", "l->s"}, {"s/a.jpg"}, "l", false, true}
        << QStringList{"l/", "s/", "s/a.jpg=photo 1"} << QStringList{"own folder"};
    QTest::newRow("a relative link is the photo it names, not a name in the output folder")
        << Setup{{"s/real.jpg=photo 1", "s/link.jpg->real.jpg", "o/real.jpg=photo 2"},
                 {"s/link.jpg"},
                 "o",
                 false,
                 true}
        << QStringList{"o/", "o/link.jpg=jpeg 64x48", "o/real.jpg=photo 2",
                       "s/", "s/link.jpg=photo 1",    "s/real.jpg=photo 1"}
        << QStringList{"converted"};
    QTest::newRow("two photos of one name into one folder, renaming off")
        << Setup{{"s/a.jpg=photo 1", "t/a.jpg=photo 2"}, {"s/a.jpg", "t/a.jpg"}, "o", false}
        << QStringList{"o/", "o/a.jpg=photo 1", "s/", "s/a.jpg=photo 1", "t/", "t/a.jpg=photo 2"}
        << QStringList{"converted", "earlier photo"};
    QTest::newRow("a taken target name fails the photo, and writes nothing")
        << Setup{{"s/a.jpg=photo 1", "o/Untitled01.jpg=photo 2"}, {"s/a.jpg"}, "o", true, true}
        << QStringList{"o/", "o/Untitled01.jpg=photo 2", "s/", "s/a.jpg=photo 1"}
        << QStringList{"already exists"};
    QTest::newRow("a taken target name in place fails the photo whole")
        << Setup{{"s/a.jpg=photo 1", "s/Untitled01.jpg=photo 2"}, {"s/a.jpg"}, "", true, true}
        << QStringList{"s/", "s/Untitled01.jpg=photo 2", "s/a.jpg=photo 1"}
        << QStringList{"already exists"};
    QTest::newRow("a missing photo: the file of its name in the output folder stays")
        << Setup{{"s/b.jpg=photo 1", "o/a.jpg=photo 2"}, {"s/a.jpg"}, "o", false, true}
        << QStringList{"o/", "o/a.jpg=photo 2", "s/", "s/b.jpg=photo 1"}
        << QStringList{"not found"};
    QTest::newRow("a folder on the list")
        << Setup{{"s/album/a.jpg=photo 1"}, {"s/album"}, "", true, false}
        << QStringList{"s/", "s/album/", "s/album/a.jpg=photo 1"} << QStringList{"not a file"};
    QTest::newRow("a link in place: the resized photo takes the link's place, not the photo's")
        << Setup{{"p/real.jpg=photo 1", "s/link.jpg->../p/real.jpg"},
                 {"s/link.jpg"},
                 "",
                 true,
                 true}
        << QStringList{"p/", "p/real.jpg=photo 1", "s/", "s/Untitled01.jpg=jpeg 64x48"}
        << QStringList{"converted"};
    QTest::newRow("a link renamed in place: a copy takes the link's place")
        << Setup{{"p/real.jpg=photo 1", "s/link.jpg->../p/real.jpg"},
                 {"s/link.jpg"},
                 "",
                 true,
                 false}
        << QStringList{"p/", "p/real.jpg=photo 1", "s/", "s/Untitled01.jpg=photo 1"}
        << QStringList{"converted"};
    QTest::newRow("a read-only photo is not rewritten in place")
        << Setup{{"s/a.jpg=photo 1"}, {"s/a.jpg"}, "", false, true}
        << QStringList{"s/", "s/a.jpg=photo 1"} << QStringList{"read-only"};
    QTest::newRow("in place: the photo goes once its picture is there")
        << Setup{{"s/a.jpg=photo 1", "s/b.jpg=photo 2"}, {"s/a.jpg"}, "", true, true}
        << QStringList{"s/", "s/Untitled01.jpg=jpeg 64x48", "s/b.jpg=photo 2"}
        << QStringList{"converted"};
    QTest::newRow("a name of 250 bytes")
        << Setup{{"s/" + longName() + "=photo 1"}, {"s/" + longName()}, "o", false, true}
        << QStringList{"o/", "o/" + longName() + "=jpeg 64x48", "s/",
                       "s/" + longName() + "=photo 1"}
        << QStringList{"converted"};
}

void TestNoLostFiles::batch() {
    QFETCH(Setup, setup);
    QFETCH(QStringList, after);
    QFETCH(QStringList, outcomes);

    QTemporaryDir dir;
    make(dir, setup.files);
    if (QTest::currentDataTag() == QByteArray("a read-only photo is not rewritten in place"))
        QVERIFY(QFile::setPermissions(dir.filePath("s/a.jpg"), QFileDevice::ReadOwner));
    const QHash<quint64, QString> before = inodes(dir.path());

    BatchRequest request;
    for (const QString &entry : setup.entries)
        request.entries.append(splitPath(dir.filePath(entry)));
    request.pattern = {QStringLiteral("Untitled"), QStringLiteral("01"), QString()};
    request.rename = setup.rename;
    request.resize = setup.resize;
    request.resizeSettings.longerSide = QString();
    request.outputFolder =
        setup.outputFolder.isEmpty() ? QString() : dir.filePath(setup.outputFolder);
    const BatchResult batch = runBatch(request);

    QCOMPARE(describeTree(dir.path()), after);
    QCOMPARE(batch.entries.size(), outcomes.size());
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        const ConversionResult &result = batch.entries[i].result;
        if (outcomes[i] == u"converted")
            QVERIFY2(result.converted(), qPrintable(result.reason));
        else
            QVERIFY2(!result.converted() && result.reason.contains(outcomes[i]),
                     qPrintable(result.reason));
    }
    // No output is a second name of a file that was there before.
    const QHash<quint64, QString> now = inodes(dir.path());
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (before.contains(it.key()))
            QVERIFY2(before.value(it.key()) == it.value() || !QFile::exists(before.value(it.key())),
                     qPrintable(it.value() + " shares its file with " + before.value(it.key())));
    }
    QCOMPARE(allNames(dir.filePath("s")).filter(QStringLiteral(".pelmora-")), QStringList());
}

QTEST_MAIN(TestNoLostFiles)
#include "tst_nolostfiles.moc"
