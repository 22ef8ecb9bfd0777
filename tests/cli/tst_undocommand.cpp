// `pelmora convert`, then `pelmora undo` (each a new process, so every undo comes after a
// restart): the originals come back byte for byte under their own names, from the desktop's
// trash or from a backup beside them, and what was changed since is left alone and said.

#include "files.h"
#include "photos.h"
#include "process.h"

#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

class TestUndoCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undo_data();
    void undo();
};

void TestUndoCommand::undo_data() {
    QTest::addColumn<QStringList>("files");     // "path=photo N" or "path=text"
    QTest::addColumn<QStringList>("arguments"); // of pelmora convert
    QTest::addColumn<QString>("changedAfter");  // a file edited between the two
    QTest::addColumn<bool>("trash");            // whether the disk has a usable trash
    QTest::addColumn<QStringList>("left");      // what undo leaves changed: the photos' tree

    const QStringList two{"s/a.jpg=photo 1", "s/b.jpg=photo 2"};
    QTest::newRow("resized in place")
        << two << QStringList{"--in-place", "--resize", "32", "s/a.jpg", "s/b.jpg"} << "" << true
        << QStringList();
    QTest::newRow("resized in place, names kept")
        << two << QStringList{"--in-place", "--no-rename", "--resize", "32", "s/a.jpg", "s/b.jpg"}
        << "" << true << QStringList();
    QTest::newRow("into a folder, a same-name file replaced")
        << QStringList{"s/a.jpg=photo 1", "o/a.jpg=notes", "o/keep.txt=mine"}
        << QStringList{"--out", "o", "--no-rename", "s/a.jpg"} << "" << true << QStringList();
    QTest::newRow("renamed in place")
        << two << QStringList{"--in-place", "s/a.jpg", "s/b.jpg"} << "" << true << QStringList();
    QTest::newRow("a renamed photo edited since")
        << two << QStringList{"--in-place", "s/a.jpg", "s/b.jpg"} << "s/Untitled02.jpg" << true
        << QStringList{"s/", "s/Untitled02.jpg=bytes:" + sha1("edited"), "s/a.jpg=photo 1"};
    QTest::newRow("no usable trash: a backup beside the photo")
        << two << QStringList{"--in-place", "--no-rename", "--resize", "32", "s/a.jpg"} << ""
        << false << QStringList();
}

void TestUndoCommand::undo() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, arguments);
    QFETCH(QString, changedAfter);
    QFETCH(bool, trash);
    QFETCH(QStringList, left);

    QTemporaryDir dir;
    const QString photos = dir.filePath("photos");
    for (const QString &file : files) {
        const QString path = file.section(u'=', 0, 0);
        const QString what = file.section(u'=', 1);
        QVERIFY(writeFile(photos + u'/' + path, what.startsWith(u"photo")
                                                    ? photoBytes(what.mid(6).toInt())
                                                    : what.toUtf8()));
    }
    const QString data = dir.filePath("data");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    if (!trash)
        QVERIFY(writeFile(data + "/Trash", "a file where the trash folder would be"));
    const QStringList before = describeTree(photos);

    const Run converted = runProgram(app(), QStringList{"convert"} + arguments, 120000, photos);
    QVERIFY2(converted.exitCode == 0, qPrintable(converted.err));
    const QStringList after = describeTree(photos);
    QVERIFY(after != before);
    if (!trash) // the photo is kept beside itself, hidden
        QCOMPARE(allNames(photos + "/s").filter(QStringLiteral(".bak")).size(), 1);
    if (!changedAfter.isEmpty())
        QVERIFY(writeFile(photos + u'/' + changedAfter, "edited"));

    const Run dryRun = runProgram(app(), {"undo", "--dry-run"});
    QVERIFY2(dryRun.out.contains("would "), qPrintable(dryRun.out));
    QCOMPARE(describeTree(photos).size(), after.size()); // nothing changed

    const Run undone = runProgram(app(), {"undo"});
    QVERIFY2(undone.out.contains("number back to 01"), qPrintable(undone.out));
    QCOMPARE(describeTree(photos), left.isEmpty() ? before : left);
    QCOMPARE(undone.exitCode, changedAfter.isEmpty() ? 0 : 1);
    if (!changedAfter.isEmpty())
        QVERIFY2(undone.err.contains(changedAfter.section(u'/', -1) + " was changed since"),
                 qPrintable(undone.err));

    const Run again = runProgram(app(), {"undo"});
    QCOMPARE(again.out, QStringLiteral("nothing to undo\n"));
    QCOMPARE(describeTree(photos), left.isEmpty() ? before : left);
}

QTEST_GUILESS_MAIN(TestUndoCommand)
#include "tst_undocommand.moc"
