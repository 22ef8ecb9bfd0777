// `pelmora convert`, then `pelmora undo` (each a new process, so every undo comes after a
// restart): the originals come back byte for byte under their own names, from the desktop's
// trash or from a backup beside them; what cannot be proven to be theirs is never moved, and
// what was changed since is left alone and said.

#include "files.h"
#include "photos.h"
#include "process.h"

#include <QDateTime>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace testsupport;

namespace {

struct Setup {
    QStringList files;       // "path=photo N", "path=text", or "path->target" for a symbolic link
    QStringList convert;     // pelmora convert's arguments, run in the photos' folder
    QStringList faults = {}; // of that conversion (see withFaults); a stop runs `between` meanwhile
    QStringList between = {}; // what happens before the undo (see TestUndoCommand::happen)
    bool trash = true;        // whether the disk has a usable trash
    // What happens after the undo, and the tree then, when no undo is left (empty: as after it).
    QStringList then = {};
    QStringList end = {};
    bool bindMount = false; // every pelmora runs with the folder s a mount of its own
};

const QStringList kTwo{"s/a.jpg=photo 1", "s/b.jpg=photo 2"};
const QStringList kResizeTwo{"--in-place", "--no-rename", "--resize", "32", "s/a.jpg", "s/b.jpg"};

bool isStopped(qint64 pid) {
    const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.mid(stat.lastIndexOf(')') + 2, 1) == "T";
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestUndoCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undo_data();
    void undo();
    void unreadableHistory_data();
    void unreadableHistory();

private:
    void happen(const QString &action);
    // Runs pelmora in the photos' folder, as the row's setup has it run.
    Run pelmora(const QStringList &arguments, const QStringList &faults = {});
    QStringList command(const QStringList &arguments) const;
    QStringList trashed() const; // what the trash holds, by content
    QString m_photos;
    QString m_data;
    QString m_journal; // the newest journal of the command line
    bool m_bindMount = false;
};

void TestUndoCommand::undo_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("left"); // the photos' tree after the undos; empty: as before
    QTest::addColumn<int>("undos");
    QTest::addColumn<int>("exitCode"); // of the last undo
    QTest::addColumn<QString>("said"); // by the last undo
    QTest::addColumn<QStringList>("trashHolds");

    QTest::newRow("resized in place")
        << Setup{kTwo, {"--in-place", "--resize", "32", "s/a.jpg", "s/b.jpg"}} << QStringList() << 1
        << 0 << "undone 2 photos" << QStringList();
    QTest::newRow("resized in place, names kept")
        << Setup{kTwo, kResizeTwo} << QStringList() << 1 << 0 << "undone 2 photos" << QStringList();
    QTest::newRow("into a folder, a same-name file replaced")
        << Setup{{"s/a.jpg=photo 1", "o/a.jpg=notes", "o/keep.txt=mine"},
                 {"--out", "o", "--no-rename", "s/a.jpg"}}
        << QStringList() << 1 << 0 << "undone 1 photo" << QStringList();
    QTest::newRow("into a folder it made: the folder goes")
        << Setup{kTwo, {"--out", "new/o", "--resize", "32", "s/a.jpg", "s/b.jpg"}} << QStringList()
        << 1 << 0 << "remove the empty folder" << QStringList();
    QTest::newRow("renamed in place")
        << Setup{kTwo, {"--in-place", "s/a.jpg", "s/b.jpg"}} << QStringList() << 1 << 0
        << "undone 2 photos" << QStringList();
    // An undo left unfinished stays the one to finish, until the user gives it up.
    QTest::newRow("a renamed photo edited since")
        << Setup{kTwo, {"--in-place", "s/a.jpg", "s/b.jpg"}, {}, {"edit:s/Untitled02.jpg=edited"},
                 true, {"undo:1:taking up again", "give-up"}}
        << QStringList{"s/", "s/Untitled02.jpg=bytes:" + sha1("edited"), "s/a.jpg=photo 1"} << 1
        << 1 << "Untitled02.jpg was changed since" << QStringList();
    QTest::newRow("an edited output in the way, moved away: the next undo finishes")
        << Setup{kTwo,
                 kResizeTwo,
                 {},
                 {"edit:s/a.jpg=edited"},
                 true,
                 {"move:s/a.jpg=s/mine.jpg", "undo:0:undone 2 photos"},
                 {"s/", "s/a.jpg=photo 1", "s/b.jpg=photo 2", "s/mine.jpg=bytes:" + sha1("edited")}}
        << QStringList{"s/", "s/a.jpg=bytes:" + sha1("edited"), "s/b.jpg=photo 2"} << 1 << 1
        << "a.jpg was changed since" << QStringList();
    QTest::newRow("an edited output left behind is said again until moved away")
        << Setup{kTwo,
                 {"--in-place", "--resize", "32", "s/a.jpg", "s/b.jpg"},
                 {},
                 {"edit:s/Untitled01.JPG=edited"},
                 true,
                 {"undo:1:Untitled01.JPG was changed since", "move:s/Untitled01.JPG=s/mine.jpg",
                  "undo:0:undone 2 photos"},
                 {"s/", "s/a.jpg=photo 1", "s/b.jpg=photo 2", "s/mine.jpg=bytes:" + sha1("edited")}}
        << QStringList{"s/", "s/Untitled01.JPG=bytes:" + sha1("edited"), "s/a.jpg=photo 1",
                       "s/b.jpg=photo 2"}
        << 1 << 1 << "Untitled01.JPG was changed since" << QStringList();
    QTest::newRow("an undo refused by a read-only disk, retried once it is writable")
        << Setup{kTwo, kResizeTwo, {}, {"undo-read-only:s"}} << QStringList() << 1 << 0
        << "taking up again" << QStringList();
    // The user's trash is on the same disk but another mount: the mount's own trash takes them.
    QTest::newRow("a bind-mounted folder")
        << Setup{kTwo, kResizeTwo, {}, {}, true, {}, {}, true} << QStringList{"s/",
                                                                              "s/.Trash-0/",
                                                                              "s/.Trash-0/files/",
                                                                              "s/.Trash-0/info/",
                                                                              "s/a.jpg=photo 1",
                                                                              "s/b.jpg=photo 2"}
        << 1 << 0 << "undone 2 photos" << QStringList();
    QTest::newRow("no usable trash: a backup beside the photo")
        << Setup{kTwo, {"--in-place", "--no-rename", "--resize", "32", "s/a.jpg"}, {}, {}, false}
        << QStringList() << 1 << 0 << "undone 1 photo" << QStringList();
    QTest::newRow("a link in place: the link comes back, the photo it names was never touched")
        << Setup{{"p/real.jpg=photo 1", "s/link.jpg->../p/real.jpg"},
                 {"--in-place", "--resize", "32", "s/link.jpg"}}
        << QStringList() << 1 << 0 << "undone 1 photo" << QStringList();

    // An original emptied from the trash, and an unrelated file of its name thrown away since:
    // the unrelated file stays in the trash, and the converted photo, the only copy left, stays.
    QTest::newRow("an original gone from the trash, another file of its name there")
        << Setup{kTwo, kResizeTwo, {}, {"empty-trash:a.jpg", "trash:a.jpg=unrelated"},
                 true, {"give-up"}}
        << QStringList{"s/", "s/a.jpg=jpeg 32x24", "s/b.jpg=photo 2"} << 1 << 1
        << "a.jpg cannot come back" << QStringList{"unrelated"};
    // A conversion that takes no file step leaves no record and touches no other one.
    QTest::newRow("a conversion of a missing photo in between")
        << Setup{kTwo, kResizeTwo, {}, {"convert:--in-place --resize 32 s/missing.jpg"}}
        << QStringList() << 1 << 0 << "undone 2 photos" << QStringList();
    QTest::newRow("a conversion of a missing photo in between, no usable trash")
        << Setup{kTwo, kResizeTwo, {}, {"convert:--in-place --resize 32 s/missing.jpg"}, false}
        << QStringList() << 1 << 0 << "undone 2 photos" << QStringList();
    // Two conversions at once: each keeps its own record, and two undos take both back.
    QTest::newRow("two conversions at once")
        << Setup{{"s/a.jpg=photo 1", "s/b.jpg=photo 2", "t/c.jpg=photo 3", "t/d.jpg=photo 4"},
                 kResizeTwo,
                 {"PELMORA_STOP_AFTER_RENAME_TO=/files/a.jpg"},
                 {"convert:--in-place --resize 32 --title Other t/c.jpg t/d.jpg"}}
        << QStringList() << 2 << 0 << "undone 2 photos" << QStringList();
    // Killed right after a photo went to the trash, before that was recorded as done; its
    // temporary file is still there.
    QTest::newRow("killed between a move to the trash and its record")
        << Setup{kTwo, kResizeTwo, {"PELMORA_KILL_AFTER_RENAME_TO=/files/b.jpg"}} << QStringList()
        << 1 << 0 << "undone 2 photos" << QStringList();
    QTest::newRow("a journal of the version before")
        << Setup{kTwo, {"--in-place", "--resize", "32", "s/a.jpg", "s/b.jpg"}, {}, {"as-version-1"}}
        << QStringList() << 1 << 0 << "undone 2 photos" << QStringList();
    QTest::newRow("a damaged line of the record is said")
        << Setup{kTwo, kResizeTwo, {}, {"damage-journal"}, true, {"give-up"}} << QStringList() << 1
        << 1 << "1 step of the record could not be read" << QStringList();
    QTest::newRow("an undo killed half way, run again")
        << Setup{kTwo, kResizeTwo, {}, {"undo-killed-after:/s/b.jpg"}} << QStringList() << 1 << 0
        << "undone 2 photos" << QStringList();
    // A record that names another file as where a photo went never moves that file, though it
    // holds the very bytes (a copy of the photo elsewhere): it is in no trash.
    QTest::newRow("a record naming another file as the trash")
        << Setup{{"s/a.jpg=photo 1", "v/copy.jpg=photo 1"},
                 {"--in-place", "--no-rename", "--resize", "32", "s/a.jpg"},
                 {},
                 {"journal-to:v/copy.jpg"}}
        << QStringList() << 1 << 0 << "undone 1 photo" << QStringList();
    // Another trash client restores every name exactly (the trash's records are percent-encoded).
    QTest::newRow("names with a percent sign, restored by trash-cli")
        << Setup{{"s/100%25 off.jpg=photo 1", "s/50%zz.jpg=photo 2"},
                 {"--in-place", "--no-rename", "--resize", "32", "s/100%25 off.jpg", "s/50%zz.jpg"},
                 {},
                 {"rm:s/100%25 off.jpg", "rm:s/50%zz.jpg", "trash-restore:s"}}
        << QStringList() << 1 << 0 << "undone 2 photos" << QStringList();
}

void TestUndoCommand::undo() {
    QFETCH(Setup, setup);
    QFETCH(QStringList, left);
    QFETCH(int, undos);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(QStringList, trashHolds);
    if (setup.between.contains(QStringLiteral("trash-restore:s")) && !have("trash-restore"))
        QSKIP("trash-cli is not installed");
    const bool mounts = setup.bindMount || !setup.between.filter("undo-read-only").isEmpty();
    if (mounts && !mountNamespaceUnavailable().isEmpty())
        QSKIP(qPrintable(mountNamespaceUnavailable()));
    m_bindMount = setup.bindMount;

    QTemporaryDir dir;
    m_photos = dir.filePath("photos");
    for (const QString &file : setup.files) {
        if (file.contains(QStringLiteral("->"))) {
            QVERIFY(QDir().mkpath(QFileInfo(m_photos + u'/' + file.section("->", 0, 0)).path()));
            QVERIFY(QFile::link(file.section("->", 1), m_photos + u'/' + file.section("->", 0, 0)));
            continue;
        }
        const QString what = file.section(u'=', 1);
        QVERIFY(writeFile(m_photos + u'/' + file.section(u'=', 0, 0),
                          what.startsWith(u"photo ") ? photoBytes(what.mid(6).toInt())
                                                     : what.toUtf8()));
    }
    m_data = dir.filePath("data");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data));
    if (!setup.trash)
        QVERIFY(writeFile(m_data + "/Trash", "a file where the trash folder would be"));
    const QStringList before = describeTree(m_photos);

    QProcess conversion;
    conversion.setWorkingDirectory(m_photos);
    conversion.setProcessEnvironment(withFaults(setup.faults));
    const QStringList converting = command(QStringList{"convert"} + setup.convert);
    conversion.start(converting.first(), converting.mid(1));
    QVERIFY(conversion.waitForStarted());
    if (setup.faults.filter(QStringLiteral("PELMORA_STOP")).size() > 0) {
        QTRY_VERIFY(isStopped(conversion.processId()));
        for (const QString &action : std::as_const(setup.between))
            happen(action);
        ::kill(pid_t(conversion.processId()), SIGCONT);
        setup.between.clear();
    }
    QVERIFY(conversion.waitForFinished(120000));
    const bool killed = setup.faults.filter(QStringLiteral("PELMORA_KILL")).size() > 0;
    QVERIFY2(killed ? conversion.exitStatus() == QProcess::CrashExit : conversion.exitCode() == 0,
             conversion.readAllStandardError().constData());
    const QStringList journals =
        QDir(m_data + "/pelmora/undo/command-line").entryList({"*.jsonl"}, QDir::Files);
    QVERIFY(!journals.isEmpty());
    m_journal = m_data + "/pelmora/undo/command-line/" + journals.last();
    QVERIFY(describeTree(m_photos) != before);
    for (const QString &action : std::as_const(setup.between))
        happen(action);

    const QStringList after = describeTree(m_photos);
    const Run dryRun = pelmora({"undo", "--dry-run"});
    QVERIFY2(dryRun.out.contains("would "), qPrintable(dryRun.out + dryRun.err));
    QCOMPARE(describeTree(m_photos), after); // nothing changed

    Run undone;
    for (int i = 0; i < undos; ++i)
        undone = pelmora({"undo"});
    const QString report = undone.out + undone.err;
    QVERIFY2(undone.out.contains("number back to 01"), qPrintable(report));
    QVERIFY2(report.contains(said), qPrintable(report));
    QCOMPARE(describeTree(m_photos), left.isEmpty() ? before : left);
    QCOMPARE(undone.exitCode, exitCode);
    for (const QString &file : setup.files.filter(QStringLiteral("->")))
        QVERIFY(QFileInfo(m_photos + u'/' + file.section("->", 0, 0)).isSymLink());
    for (const QString &text : trashHolds)
        QVERIFY2(trashed().contains(text), qPrintable(trashed().join(u' ')));

    for (const QString &action : std::as_const(setup.then))
        happen(action);
    const Run again = pelmora({"undo"});
    QCOMPARE(again.out, QStringLiteral("nothing to undo\n"));
    QCOMPARE(describeTree(m_photos), !setup.end.isEmpty() ? setup.end
                                     : left.isEmpty()     ? before
                                                          : left);
}

QStringList TestUndoCommand::command(const QStringList &arguments) const {
    if (!m_bindMount)
        return QStringList{app()} + arguments;
    return QStringList{"unshare",
                       "-m",
                       "sh",
                       "-c",
                       "mount --bind \"$1\" \"$1\" && shift && exec \"$@\"",
                       "sh",
                       m_photos + "/s",
                       app()} +
           arguments;
}

Run TestUndoCommand::pelmora(const QStringList &arguments, const QStringList &faults) {
    const QStringList run = command(arguments);
    RunOptions options;
    options.workingDirectory = m_photos;
    options.environment = withFaults(faults);
    options.timeoutMs = 60000;
    return runProgram(run.first(), run.mid(1), options);
}

// A history that cannot be read is said, with its reason, never "nothing to undo": the user may
// otherwise empty the trash that holds the originals.
void TestUndoCommand::unreadableHistory_data() {
    QTest::addColumn<QString>("made"); // in the command line's history folder, or in place of it
    QTest::addColumn<QString>("said");

    QTest::newRow("a file in place of the folder") << "="
                                                   << "cannot read the undo history";
    QTest::newRow("a journal that is not one") << "20260101-000000000-1.jsonl=garbage"
                                               << "cannot read the undo journal";
    QTest::newRow("a journal that is a folder") << "20260101-000000000-1.jsonl/"
                                                << "cannot read the undo journal";
}

void TestUndoCommand::unreadableHistory() {
    QFETCH(QString, made);
    QFETCH(QString, said);

    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    const QString folder = dir.filePath("data/pelmora/undo/command-line");
    const QString name = made.section(u'=', 0, 0);
    if (name.endsWith(u'/'))
        QVERIFY(QDir().mkpath(folder + u'/' + name));
    else
        QVERIFY(writeFile(name.isEmpty() ? folder : folder + u'/' + name,
                          made.section(u'=', 1).toUtf8()));
    for (const QStringList &arguments : {QStringList{"undo"}, QStringList{"undo", "--dry-run"}}) {
        const Run undone = runProgram(app(), arguments);
        QVERIFY2(undone.exitCode == 1 && undone.err.contains(said) &&
                     !undone.out.contains("nothing to undo"),
                 qPrintable(quotedErrors(undone)));
    }
}

// What happens between the conversion and the undo, as a user or a crash would make it happen.
void TestUndoCommand::happen(const QString &action) {
    const QString what = action.section(u':', 0, 0);
    const QString how = action.section(u':', 1);
    const QString trash = m_data + QStringLiteral("/Trash");
    if (what == u"edit") {
        QVERIFY(
            writeFile(m_photos + u'/' + how.section(u'=', 0, 0), how.section(u'=', 1).toUtf8()));
    } else if (what == u"rm") {
        QVERIFY(QFile::remove(m_photos + u'/' + how));
    } else if (what == u"empty-trash") {
        QVERIFY(QFile::remove(trash + "/files/" + how));
        QVERIFY(QFile::remove(trash + "/info/" + how + ".trashinfo"));
    } else if (what == u"trash") { // thrown away from the photo's folder by the file manager
        const QString name = how.section(u'=', 0, 0);
        QVERIFY(writeFile(trash + "/files/" + name, how.section(u'=', 1).toUtf8()));
        QVERIFY(writeFile(
            trash + "/info/" + name + ".trashinfo",
            "[Trash Info]\nPath=" +
                QFile::encodeName(m_photos + "/s/" + name).toPercentEncoding("/") +
                "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() +
                "\n"));
    } else if (what == u"convert") {
        pelmora(QStringList{"convert"} + how.split(u' '));
    } else if (what == u"undo") { // undo:EXIT:TEXT, what it says
        const Run undone = pelmora({"undo"});
        QVERIFY2(undone.exitCode == how.section(u':', 0, 0).toInt() &&
                     (undone.out + undone.err).contains(how.section(u':', 1)),
                 qPrintable(quotedErrors(undone)));
    } else if (what == u"give-up") {
        const Run given = pelmora({"undo", "--give-up"});
        QVERIFY2(given.exitCode == 0, qPrintable(quotedErrors(given)));
    } else if (what == u"move") {
        QVERIFY(QFile::rename(m_photos + u'/' + how.section(u'=', 0, 0),
                              m_photos + u'/' + how.section(u'=', 1)));
    } else if (what == u"undo-read-only") { // the folder is read-only for that undo
        const Run refused = runProgram("unshare", {"-m", "sh", "-c",
                                                   "mount --bind \"$1\" \"$1\" && mount -o "
                                                   "remount,bind,ro \"$1\" && shift && exec \"$@\"",
                                                   "sh", m_photos + u'/' + how, app(), "undo"});
        QVERIFY2(refused.exitCode == 1 && refused.err.contains("still in the way"),
                 qPrintable(quotedErrors(refused)));
    } else if (what == u"damage-journal") {
        QFile journal(m_journal);
        QVERIFY(journal.open(QIODevice::Append));
        journal.write("{\"step\":\"publish\",\"pa");
    } else if (what == u"as-version-1") {
        // As the version before wrote it: no version, no numbers; a completion named its kind,
        // photo and path, and where a file set aside went as "to".
        QHash<qint64, QJsonObject> intents;
        QByteArray journal;
        for (const QByteArray &line : readFile(m_journal).split('\n')) {
            QJsonObject o = QJsonDocument::fromJson(line).object();
            if (o.isEmpty())
                continue;
            o.remove("version");
            if (o.contains("id"))
                intents.insert(o.take("id").toInteger(), o);
            if (o.value("done").isDouble()) {
                const QJsonObject intent = intents.value(o.value("done").toInteger());
                o.insert("done", intent.value("step"));
                o.insert("photo", intent.value("photo"));
                o.insert("path", intent.value("path"));
                if (o.contains("kept"))
                    o.insert("to", o.take("kept"));
            }
            journal += QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
        }
        QVERIFY(!journal.contains("\"id\"") && !journal.contains("replace"));
        QVERIFY(writeFile(m_journal, journal));
    } else if (what == u"journal-to") {
        QByteArray journal = readFile(m_journal);
        static const QRegularExpression kept(QStringLiteral("\"kept\":\"[^\"]*\""));
        const QString named =
            QString::fromUtf8(journal).replace(kept, "\"kept\":\"" + m_photos + u'/' + how + u'"');
        QVERIFY(named.toUtf8() != journal);
        journal = named.toUtf8();
        QVERIFY(writeFile(m_journal, journal));
    } else if (what == u"undo-killed-after") {
        QCOMPARE(pelmora({"undo"}, {"PELMORA_KILL_AFTER_RENAME_TO=" + how}).exitCode, -1);
    } else if (what == u"trash-restore") { // one file a time, the first it lists
        RunOptions options;
        options.workingDirectory = m_photos + u'/' + how;
        options.input = "0\n";
        for (int i = 0; i < 4; ++i)
            runProgram(QStringLiteral("trash-restore"), {}, options);
    } else {
        QFAIL(qPrintable("unknown action " + action));
    }
}

QStringList TestUndoCommand::trashed() const {
    QStringList texts;
    QDirIterator it(m_data + QStringLiteral("/Trash/files"), QDir::Files | QDir::Hidden);
    while (it.hasNext())
        texts.append(QString::fromUtf8(readFile(it.next())));
    return texts;
}

QTEST_GUILESS_MAIN(TestUndoCommand)
#include "tst_undocommand.moc"
