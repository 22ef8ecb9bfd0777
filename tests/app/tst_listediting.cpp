// The naming fields, and editing and reordering the photo list with real key and mouse events.

#include "windowdriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using namespace windowdriver;

namespace {

// A window with entries a..e, each in its own folder, so a folder that does not follow its
// entry shows at once.
struct FiveEntries {
    QTemporaryDir dir;
    MainWindow window;
    FiveEntries() {
        QStringList paths;
        for (const char *n : {"a", "b", "c", "d", "e"})
            paths += touch(dir.path() + u'/' + QLatin1String(n), {QLatin1String(n) + ".jpg"});
        dropPaths(list(window), paths);
    }
    QString order() {
        QString letters;
        for (const QString &e : entries(window)) {
            const QString name = e.section(u'|', 0, 0);
            const QString folder = e.section(u'|', 1);
            if (folder != dir.path() + u'/' + name.left(1) + u'/')
                return QStringLiteral("folder of %1 lost").arg(name);
            letters += name.left(1);
        }
        return letters;
    }
    QString selection() {
        QString marks;
        for (int row = 0; row < list(window)->count(); ++row)
            marks += list(window)->item(row)->isSelected() ? u'x' : u'.';
        return marks;
    }
    void select(const QList<int> &rows) {
        PhotoListWidget *l = list(window);
        l->clearSelection();
        for (int r : rows)
            clickRow(l, r, Qt::LeftButton, Qt::ControlModifier);
    }
};

} // namespace

class TestListEditing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void titleRestartsNumber();
    void previewFollowsFields();
    void ckFileEnablesFields();
    void ckResizeSetsExtension();

    void deleteKey_data();
    void deleteKey();
    void deleteFromMenu();
    void moves_data();
    void moves();
    void moveKeepsCurrentPhoto();
    void keyboardPressMovesOnce();
    void holdRepeats();
};

void TestListEditing::titleRestartsNumber() {
    MainWindow window;
    QLineEdit *num = child<QLineEdit>(window, "Num");
    num->setText(QStringLiteral("07"));
    QTest::keyClick(child(window, "Title"), Qt::Key_X);
    QCOMPARE(num->text(), QStringLiteral("01"));
    QCOMPARE(text(window, "NewName"), QStringLiteral("Untitledx01"));

    num->setText(QStringLiteral("05"));
    child<QLineEdit>(window, "Title")->setText(QStringLiteral("Trip")); // set by the program
    QCOMPARE(num->text(), QStringLiteral("01"));
    QCOMPARE(text(window, "NewName"), QStringLiteral("Trip01"));

    child<QLineEdit>(window, "Title")->clear();
    QCOMPARE(num->text(), QStringLiteral("01"));
    QCOMPARE(text(window, "NewName"), QString());
}

void TestListEditing::previewFollowsFields() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    makeCurrent(window, touch(dir.path(), {"beach.jpeg"}).first());
    QTest::keyClicks(child(window, "Num"), QStringLiteral("5"));
    QCOMPARE(text(window, "NewName"), QStringLiteral("Untitled015.jpeg"));
    QTest::keyClicks(child(window, "Suf"), QStringLiteral("png"));
    QCOMPARE(text(window, "NewName"), QStringLiteral("Untitled015.png"));
}

void TestListEditing::ckFileEnablesFields() {
    MainWindow window;
    QCheckBox *ck = child<QCheckBox>(window, "CkFile");
    const QList<const char *> names{"Title",    "Num",      "Suf",      "NewName",
                                    "Label1_0", "Label1_1", "Label1_2", "Label1_3"};
    window.show();
    QTest::mouseClick(ck, Qt::LeftButton);
    QVERIFY(!ck->isChecked());
    for (const char *n : names)
        QVERIFY2(!child(window, n)->isEnabled(), n);
    QCOMPARE(text(window, "Title"), QStringLiteral("Untitled"));
    QCOMPARE(text(window, "Num"), QStringLiteral("01"));
    QTest::mouseClick(ck, Qt::LeftButton);
    for (const char *n : names)
        QVERIFY2(child(window, n)->isEnabled(), n);
    QCOMPARE(text(window, "Title"), QStringLiteral("Untitled"));
    QCOMPARE(child<QLabel>(window, "Label1_2")->text(), QStringLiteral(".Suf"));
}

void TestListEditing::ckResizeSetsExtension() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    makeCurrent(window, touch(dir.path(), {"IMG_0001.jpeg"}).first());
    QTest::keyClicks(child(window, "Suf"), QStringLiteral("png"));
    QCheckBox *ck = child<QCheckBox>(window, "CkResize");
    QTest::mouseClick(ck, Qt::LeftButton);
    QCOMPARE(text(window, "Suf"), QStringLiteral("JPG"));
    QCOMPARE(text(window, "NewName"), QStringLiteral("Untitled01.JPG"));
    QTest::mouseClick(ck, Qt::LeftButton);
    QCOMPARE(text(window, "Suf"), QString());
    QCOMPARE(text(window, "NewName"), QStringLiteral("Untitled01.jpeg"));
}

void TestListEditing::deleteKey_data() {
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1 and 3 of five") << QList<int>{1, 3} << int(Qt::NoModifier) << "ace";
    QTest::newRow("with shift") << QList<int>{0} << int(Qt::ShiftModifier) << "bcde";
    QTest::newRow("with control") << QList<int>{4} << int(Qt::ControlModifier) << "abcd";
    QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4} << int(Qt::NoModifier) << "";
    QTest::newRow("nothing selected") << QList<int>{} << int(Qt::NoModifier) << "abcde";
}

void TestListEditing::deleteKey() {
    QFETCH(QList<int>, rows);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    FiveEntries five;
    five.window.show();
    five.select(rows);
    QTest::keyClick(list(five.window), Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(five.order(), expected);
}

void TestListEditing::deleteFromMenu() {
    FiveEntries five;
    five.window.show();
    five.select({0, 2});
    auto *menu = five.window.findChild<QMenu *>(QStringLiteral("List"));
    clickRow(list(five.window), 4, Qt::RightButton); // opens the menu, changes nothing else
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(five.selection(), QStringLiteral("x.x.."));
    menu->actions().first()->trigger();
    menu->close();
    QCOMPARE(five.order(), QStringLiteral("bde"));
}

void TestListEditing::moves_data() {
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<int>("current");
    QTest::newRow("up 2 and 3") << QList<int>{2, 3} << true << "acdbe"
                                << ".xx.." << 2;
    QTest::newRow("up first") << QList<int>{0} << true << "abcde"
                              << "x...." << 0;
    QTest::newRow("up 0 and 1 stay") << QList<int>{0, 1} << true << "abcde"
                                     << "xx..." << 1;
    QTest::newRow("up 0, 1 and 3") << QList<int>{0, 1, 3} << true << "abdce"
                                   << "xxx.." << 2;
    QTest::newRow("down last") << QList<int>{4} << false << "abcde"
                               << "....x" << 4;
    QTest::newRow("down 3 and 4 stay") << QList<int>{3, 4} << false << "abcde"
                                       << "...xx" << 3;
    QTest::newRow("down middle") << QList<int>{1, 2} << false << "adbce"
                                 << "..xx." << 2;
}

void TestListEditing::moves() {
    QFETCH(QList<int>, rows);
    QFETCH(bool, up);
    QFETCH(QString, order);
    QFETCH(QString, selection);
    QFETCH(int, current);
    FiveEntries five;
    five.window.show();
    five.select(rows);
    QTest::mouseClick(child(five.window, up ? "UpOrd" : "DwOrd"), Qt::LeftButton);
    QCOMPARE(five.order(), order);
    QCOMPARE(five.selection(), selection);
    QCOMPARE(list(five.window)->currentRow(), current);
    QCOMPARE(five.window.RepeatUp, up);
}

void TestListEditing::moveKeepsCurrentPhoto() {
    FiveEntries five;
    five.window.show();
    clickRow(list(five.window), 2); // c becomes the current photo
    const MainWindow::CurrentPhoto photo = five.window.current();
    const QString newName = text(five.window, "NewName");
    QTest::mouseClick(child(five.window, "UpOrd"), Qt::LeftButton);
    QTest::keyClick(list(five.window), Qt::Key_Delete);
    QCOMPARE(five.order(), QStringLiteral("abde"));
    QCOMPARE(five.window.current().SrcDir, photo.SrcDir);
    QCOMPARE(five.window.current().SrcName, photo.SrcName);
    QCOMPARE(text(five.window, "NewName"), newName);
}

void TestListEditing::keyboardPressMovesOnce() {
    FiveEntries five;
    five.window.show();
    five.select({4});
    QPushButton *up = child<QPushButton>(five.window, "UpOrd");
    up->setFocus();
    QTest::keyPress(up, Qt::Key_Space);
    QTest::qWait(700); // a keyboard press never repeats
    QTest::keyRelease(up, Qt::Key_Space);
    QCOMPARE(five.order(), QStringLiteral("abced"));
}

void TestListEditing::holdRepeats() {
    // Held for just over a second: five ticks during the hold, one more move at the release,
    // and the entry stops at the top.
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < 8; ++i)
        names.append(QStringLiteral("p%1.jpg").arg(i));
    MainWindow window;
    dropPaths(list(window), touch(dir.path(), names));
    window.show();
    clickRow(list(window), 7);
    QPushButton *up = child<QPushButton>(window, "UpOrd");
    QTest::mousePress(up, Qt::LeftButton);
    QTest::qWait(1100);
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(list(window)->item(1)->text(), QStringLiteral("p7.jpg"));
    QCOMPARE(list(window)->entry(1).folder, dir.path() + u'/');

    // Longer than the list: stops at the top.
    QTest::mousePress(up, Qt::LeftButton);
    QTest::qWait(700);
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(list(window)->item(0)->text(), QStringLiteral("p7.jpg"));
    QCOMPARE(list(window)->item(1)->text(), QStringLiteral("p0.jpg"));
}

QTEST_MAIN(TestListEditing)
#include "tst_listediting.moc"
