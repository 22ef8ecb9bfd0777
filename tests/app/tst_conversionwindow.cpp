// Converting from the window: the single conversion, the batch with its progress bar, and the
// same batch through `pelmora convert`, on real photos in temporary folders.

#include "app/interfacelanguage.h"
#include "app/uitexts.h"
#include "builders.h"
#include "designedcontrols.h"
#include "files.h"
#include "photos.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QImageReader>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <algorithm>

using namespace windowdriver;

namespace {

QStringList makePhotos(const QString &folder, const QStringList &names) {
    QStringList paths;
    int i = 0;
    for (const QString &n : names)
        paths.append(testsupport::writePicture(folder + u'/' + n, QSize(60 + 10 * i++, 40)));
    return paths;
}

// Whether the text holds a Japanese letter (kana, a kanji, a full- or half-width form).
bool hasJapanese(const QString &text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return !c.isSpace() && ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
                                (u >= 0xFF00 && u <= 0xFFEF));
    });
}

// What a control shows: a group box's title, a label's, an edit's or a button's text.
QString caption(QWidget *w) {
    if (auto *box = qobject_cast<QGroupBox *>(w))
        return box->title();
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    return {};
}

QString designedText(const char *name) {
    for (const DesignedControl &c : kDesignedControls) {
        if (qstrcmp(c.name, name) == 0)
            return QString::fromUtf8(c.text);
    }
    qFatal("no designed control %s", name);
}

} // namespace

class TestConversionWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void singleConversionRenamesInPlace();
    void singleConversionWithoutPhoto();
    void singleConversionFailureSaysWhy();
    void batchFiveEntries();
    void batchEmptyList();
    void batchKeepsFailedPhotos();
    void batchUnusableOutputFolder();
    void batchWithRenamingOff();
    void windowAndCommandLineAgree();
    void cancelLeavesPhotosWholeOrUntouched();
    void closingDuringBatchLeavesPhotosWholeOrUntouched();
    void convertsWhatTheWindowShows_data();
    void convertsWhatTheWindowShows();
    void undoFromTheListMenu_data();
    void undoFromTheListMenu();
    void speaksTheDesktopLanguage_data();
    void speaksTheDesktopLanguage();
};

void TestConversionWindow::singleConversionRenamesInPlace() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    const QString photo = makePhotos(dir.path(), {"IMG_0001.jpg"}).first();
    const QByteArray original = testsupport::readFile(photo);
    dropPaths(list(window), {photo});
    clickRow(list(window), 0);
    QTest::mouseClick(child(window, "Command2"), Qt::LeftButton);
    QVERIFY(window.isConverting()); // in the background: the window stays alive meanwhile
    QVERIFY(!child(window, "List1")->isEnabled());
    QVERIFY(!child(window, "Command1")->isEnabled());
    QVERIFY(waitForConversion(window));
    QVERIFY(child(window, "List1")->isEnabled());
    QVERIFY(child(window, "Command1")->isEnabled());
    QCOMPARE(testsupport::files(dir.path()), QStringList{"Untitled01.jpg"});
    QCOMPARE(testsupport::readFile(dir.path() + "/Untitled01.jpg"), original);
    QCOMPARE(text(window, "Num"), QStringLiteral("02"));
    QCOMPARE(window.current().SrcName, QStringLiteral("IMG_0001.jpg")); // the conversion keeps it
}

void TestConversionWindow::singleConversionWithoutPhoto() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    child<QLineEdit>(window, "OutFolder")->setText(dir.path() + "/made");
    ModalAnswerer answerer;
    QTest::mouseClick(child(window, "Command2"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));
    QCOMPARE(answerer.messages, QStringList{uitexts::missingTargetName()});
    QCOMPARE(answerer.boxes.first().title, QStringLiteral("Pelmora"));
    QCOMPARE(answerer.boxes.first().icon, QMessageBox::NoIcon);
    QCOMPARE(answerer.boxes.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(text(window, "Num"), QStringLiteral("01"));
    QVERIFY(QFileInfo(dir.path() + "/made").isDir()); // the folder is made all the same
}

void TestConversionWindow::singleConversionFailureSaysWhy() {
    // Pressed twice: the photo is no longer there under its old name the second time.
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    dropPaths(list(window), makePhotos(dir.path(), {"a.jpg"}));
    clickRow(list(window), 0);
    ModalAnswerer answerer;
    QTest::mouseClick(child(window, "Command2"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));
    QVERIFY(answerer.messages.isEmpty());
    QTest::mouseClick(child(window, "Command2"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));
    QCOMPARE(answerer.messages.size(), 1);
    QVERIFY(answerer.messages.first().contains(QStringLiteral("a.jpg")));
    // the core's reason, in Japanese like the rest of the window
    QVERIFY2(answerer.messages.first().contains(QString::fromUtf8("写真が見つかりません")),
             qPrintable(answerer.messages.first()));
    QCOMPARE(text(window, "Num"), QStringLiteral("03"));
    QCOMPARE(testsupport::files(dir.path()), QStringList{"Untitled01.jpg"});
}

void TestConversionWindow::batchFiveEntries() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    dropPaths(list(window),
              makePhotos(dir.path() + "/in", {"e.jpg", "d.jpg", "c.jpg", "b.jpg", "a.jpg"}));
    child<QLineEdit>(window, "OutFolder")->setText(dir.path() + "/out");
    child<QLineEdit>(window, "Num")->setText(QStringLiteral("09"));
    QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
    child<QLineEdit>(window, "picWidth")->setText(QStringLiteral("40"));

    auto *bar = child<QProgressBar>(window, "PBar1");
    QList<int> values;
    connect(bar, &QProgressBar::valueChanged, this, [&](int v) { values.append(v); });
    bool shown = false;
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    shown = bar->isVisible();
    QVERIFY(!child(window, "CLR")->isEnabled()); // editing waits for the batch
    QVERIFY(waitForConversion(window));

    QVERIFY(shown);
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 4);
    QCOMPARE(values, (QList<int>{1, 2, 3, 4})); // 0 was the value already
    QCOMPARE(testsupport::files(dir.path() + "/out"),
             (QStringList{"Untitled09.JPG", "Untitled10.JPG", "Untitled11.JPG", "Untitled12.JPG",
                          "Untitled13.JPG"}));
    QImageReader first(dir.path() + "/out/Untitled09.JPG"); // a.jpg, 100 x 40
    QCOMPARE(first.size(), QSize(40, 16));
    QCOMPARE(testsupport::files(dir.path() + "/in").size(), 5); // originals stay
    QCOMPARE(list(window)->count(), 0);
    QCOMPARE(text(window, "Num"), QStringLiteral("14"));
    QCOMPARE(window.current().SrcName, QStringLiteral("e.jpg"));
    // the target name follows the number on, as the preview does
    QCOMPARE(window.current().DstName, QStringLiteral("Untitled14.JPG"));
    QCOMPARE(text(window, "NewName"), QStringLiteral("Untitled14.JPG"));
    QVERIFY(child(window, "CLR")->isEnabled());
}

void TestConversionWindow::batchEmptyList() {
    MainWindow window;
    window.show();
    auto *bar = child<QProgressBar>(window, "PBar1");
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(text(window, "Num"), QStringLiteral("01"));
}

void TestConversionWindow::batchKeepsFailedPhotos() {
    QTemporaryDir dir;
    const QString in = dir.path() + "/in/";
    MainWindow window;
    window.show();
    QStringList paths = makePhotos(in, {"a.jpg", "c.jpg"});
    paths.append(testsupport::writeText(in + "b.jpg"));
    dropPaths(list(window), paths);
    QTest::mouseClick(child(window, "CkFile"), Qt::LeftButton); // keep the names
    QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
    child<QLineEdit>(window, "OutFolder")->setText(dir.path() + "/out");
    const QByteArray text = testsupport::readFile(in + "b.jpg");
    ModalAnswerer answerer;
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));
    QTRY_COMPARE(answerer.messages.size(), 1);
    QVERIFY(answerer.messages.first().contains(QStringLiteral("b.jpg")));
    QCOMPARE(entries(window), QStringList{"b.jpg|" + in});
    QCOMPARE(testsupport::readFile(in + "b.jpg"), text);
}

void TestConversionWindow::batchUnusableOutputFolder() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    const QStringList photos = makePhotos(dir.path() + "/in", {"a.jpg", "b.jpg"});
    dropPaths(list(window), photos);
    testsupport::writeText(dir.path() + "/file");
    child<QLineEdit>(window, "OutFolder")->setText(dir.path() + "/file/out");
    ModalAnswerer answerer;
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));
    QTRY_COMPARE(answerer.messages.size(), 1);
    QCOMPARE(list(window)->count(), 2);
    QCOMPARE(testsupport::files(dir.path() + "/in"), (QStringList{"a.jpg", "b.jpg"}));
    QCOMPARE(text(window, "Num"), QStringLiteral("01"));
}

void TestConversionWindow::batchWithRenamingOff() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    dropPaths(list(window), makePhotos(dir.path() + "/one", {"a.jpg"}) +
                                makePhotos(dir.path() + "/two", {"b.jpg"}));
    QTest::mouseClick(child(window, "CkFile"), Qt::LeftButton);
    child<QLineEdit>(window, "OutFolder")->setText(dir.path() + "/out");
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));
    QCOMPARE(testsupport::files(dir.path() + "/out"), (QStringList{"a.jpg", "b.jpg"}));
    QCOMPARE(text(window, "Num"), QStringLiteral("01"));
    QCOMPARE(text(window, "NewName"), QString());
}

void TestConversionWindow::windowAndCommandLineAgree() {
    QTemporaryDir dir;
    const QStringList names{"x.jpg", "y.png", "z.jpg"};
    QStringList viaWindow, viaCommand;
    int i = 0;
    for (const QString &n : names) {
        const QSize size(300 + 40 * i, 200 + 30 * i);
        const char *format = n.endsWith(u"png") ? "PNG" : "JPEG";
        viaWindow.append(testsupport::writePicture(dir.path() + "/w/" + n, size, format));
        viaCommand.append(testsupport::writePicture(dir.path() + "/c/" + n, size, format));
        ++i;
    }

    MainWindow window;
    window.show();
    dropPaths(list(window), viaWindow);
    child<QLineEdit>(window, "Title")->setText(QStringLiteral("Trip"));
    child<QLineEdit>(window, "Num")->setText(QStringLiteral("07"));
    QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
    child<QLineEdit>(window, "picWidth")->setText(QStringLiteral("120"));
    child<QLineEdit>(window, "Sig")->setText(QStringLiteral("(c) Pelmora"));
    child<QLineEdit>(window, "OutFolder")->setText(dir.path() + "/w-out");
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));

    QProcess command;
    command.start(qEnvironmentVariable("PELMORA_APP"),
                  QStringList{"convert", "--title", "Trip", "--number", "07", "--resize", "120",
                              "--signature", "(c) Pelmora", "--font",
                              child(window, "Sig")->font().family(), "--out",
                              dir.path() + "/c-out"} +
                      viaCommand);
    QVERIFY(command.waitForFinished(60000));
    QCOMPARE(command.exitCode(), 0);
    QVERIFY(command.readAllStandardOutput().contains("next number 10"));

    const QStringList made = testsupport::files(dir.path() + "/w-out");
    QCOMPARE(made, (QStringList{"Trip07.JPG", "Trip08.JPG", "Trip09.JPG"}));
    QCOMPARE(testsupport::files(dir.path() + "/c-out"), made);
    for (const QString &n : made)
        QCOMPARE(testsupport::readFile(dir.path() + "/w-out/" + n),
                 testsupport::readFile(dir.path() + "/c-out/" + n));
    QCOMPARE(text(window, "Num"), QStringLiteral("10"));
}

void TestConversionWindow::cancelLeavesPhotosWholeOrUntouched() {
    QTemporaryDir dir;
    const QStringList photos = testsupport::writeNumbered(dir.path() + "/in", 30, QSize(1200, 900));
    MainWindow window;
    window.show();
    dropPaths(list(window), photos);
    QTest::mouseClick(child(window, "CkFile"), Qt::LeftButton);
    QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ModalAnswerer answerer;
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    QTest::keyClick(list(window), Qt::Key_Escape); // wherever the focus is
    QVERIFY(waitForConversion(window));

    // Every photo is either converted (and gone from the list) or untouched (and still listed).
    const QStringList left = entries(window);
    int converted = 0;
    for (const QString &path : photos) {
        const QString name = QFileInfo(path).fileName();
        const QSize size = QImageReader(path).size();
        if (left.contains(name + u'|' + dir.path() + "/in/")) {
            QCOMPARE(size, QSize(1200, 900));
        } else {
            QCOMPARE(size, QSize(250, 187));
            ++converted;
        }
    }
    QVERIFY(converted < photos.size()); // Esc came before the end
    QVERIFY(!left.isEmpty());
    // the end message says how many were left on the list
    QTRY_COMPARE(answerer.messages.size(), 1);
    QVERIFY2(answerer.messages.first().contains(QString::number(left.size())),
             qPrintable(answerer.messages.first()));
}

void TestConversionWindow::closingDuringBatchLeavesPhotosWholeOrUntouched() {
    // The window goes while its batch runs (the user quits): it stops after the photos in flight.
    QTemporaryDir dir;
    const QStringList photos = testsupport::writeNumbered(dir.path() + "/in", 30, QSize(1200, 900));
    {
        MainWindow window;
        window.show();
        dropPaths(list(window), photos);
        QTest::mouseClick(child(window, "CkFile"), Qt::LeftButton);
        QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
        QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
        QVERIFY(window.isConverting());
    }
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr); // no busy cursor left behind
    int converted = 0;
    for (const QString &path : photos) {
        const QSize size = QImageReader(path).size();
        QVERIFY2(size == QSize(1200, 900) || size == QSize(250, 187), qPrintable(path));
        converted += size == QSize(250, 187);
    }
    QVERIFY(converted < photos.size());
    QCOMPARE(QDir(dir.path() + "/in").entryList(QDir::Files | QDir::Hidden).size(), photos.size());
}

// What the window shows is what a conversion does: the current photo gets the name the preview
// shows after every edit, a drop on the list never changes it, a double-click on 一括変換
// converts the whole list, a drop on the preview that leaves a photo without a name converts
// nothing, and a photo whose header shows it too large is told before the batch starts and stays
// on the list while the others are converted.
void TestConversionWindow::convertsWhatTheWindowShows_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dstName");
    QTest::addColumn<QStringList>("files"); // of the photos' folder afterwards
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("number"); // 番号 afterwards
    const QStringList untouched{"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg", "noext"};
    // One message naming the field and the range, before any photo: nothing converted, no
    // number used.
    const QString unreadableWidth =
        QStringLiteral("「%1」の値を使えないため、写真は変換していません。\n"
                       "1 から 10000 までの整数（ピクセル数）を入れてください。"
                       "空欄なら、写真は元の大きさのまま変換します。")
            .arg(designedText("Label4"));
    QTest::newRow("title edited") << "title"
                                  << "Trip01.jpg"
                                  << QStringList{"IMG_2.jpg", "IMG_3.jpg", "Trip01.jpg", "noext"}
                                  << ""
                                  << "02";
    QTest::newRow("number edited")
        << "number"
        << "Untitled07.jpg" << QStringList{"IMG_2.jpg", "IMG_3.jpg", "Untitled07.jpg", "noext"}
        << ""
        << "08";
    QTest::newRow("extension edited")
        << "extension"
        << "Untitled01.png" << QStringList{"IMG_2.jpg", "IMG_3.jpg", "Untitled01.png", "noext"}
        << ""
        << "02";
    QTest::newRow("title emptied: the number's name")
        << "empty title"
        << "01.jpg" << QStringList{"01.jpg", "IMG_2.jpg", "IMG_3.jpg", "noext"} << ""
        << "02";
    QTest::newRow("drop on the list keeps the current photo")
        << "drop on list"
        << "Untitled01.jpg" << QStringList{"IMG_2.jpg", "IMG_3.jpg", "Untitled01.jpg", "noext"}
        << ""
        << "02";
    QTest::newRow("double-click on the batch button")
        << "double-click"
        << "Untitled05.jpg"
        << QStringList{"Untitled01.jpg", "Untitled02.jpg", "Untitled03.jpg", "Untitled04"} << ""
        << "05";
    QTest::newRow("drop on the preview without a name")
        << "drop on preview"
        << "" << untouched << uitexts::missingTargetName() << "";
    QTest::newRow("unreadable width stops the single conversion")
        << "width: single"
        << "Untitled01.JPG" << untouched << unreadableWidth << "01";
    QTest::newRow("a width beyond the largest output stops the batch")
        << "width: batch"
        << "Untitled01.JPG" << untouched << unreadableWidth << "01";
    QTest::newRow("unreadable width stops the drop on the preview")
        << "width: preview"
        << "Untitled01.JPG" << untouched << unreadableWidth << "01";
    QTest::newRow("too large beside good ones: told first, once; keeps its number, stays listed")
        << "too large"
        << ""
        << QStringList{"Untitled02.JPG", "Untitled03.JPG", "Untitled04.JPG", "Untitled05.JPG",
                       "huge.png"}
        << QStringLiteral("1 枚の写真は大きすぎて変換できないため、リストに残します。"
                          "ほかの写真は変換します。\nhuge.png: 画像が大きすぎます (20000 x 20000)")
        << "06";
}

void TestConversionWindow::convertsWhatTheWindowShows() {
    QFETCH(QString, action);
    QFETCH(QString, dstName);
    QFETCH(QStringList, files);
    QFETCH(QString, message);
    QFETCH(QString, number);

    QTemporaryDir dir;
    const QString folder = dir.path() + "/photos/";
    QStringList photos;
    for (const QString name : {"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg", "noext"})
        photos.append(testsupport::writePicture(folder + name, QSize(64, 48)));
    const QString elsewhere = testsupport::writePicture(dir.path() + "/other/IMG_1.jpg", {64, 48});
    MainWindow window;
    window.show();
    QVERIFY(dropPaths(list(window), photos));
    clickRow(list(window), 0); // IMG_1.jpg is the current photo: Untitled01.jpg
    ModalAnswerer answerer;

    auto *title = child<QLineEdit>(window, "Title");
    if (action == u"title") {
        title->setText(QStringLiteral("Trip"));
    } else if (action == u"number") {
        QTest::keyClick(child(window, "Num"), Qt::Key_Backspace);
        QTest::keyClicks(child(window, "Num"), QStringLiteral("7"));
    } else if (action == u"extension") {
        QTest::keyClicks(child(window, "Suf"), QStringLiteral("png"));
    } else if (action == u"empty title") {
        title->clear();
    } else if (action == u"drop on list") {
        QVERIFY(dropPaths(list(window), {elsewhere}));
    } else if (action == u"double-click") {
        // the two presses of a double-click, the second while the batch runs
        QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
        QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    } else if (action == u"drop on preview") {
        title->clear();
        child<QLineEdit>(window, "Num")->clear();
        QVERIFY(dropPaths(child(window, "oImg"), {folder + "noext"}));
    } else if (action.startsWith(u"width")) {
        QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
        // text, or a number beyond the largest photo written
        child<QLineEdit>(window, "picWidth")
            ->setText(action == u"width: batch" ? QStringLiteral("20000") : QStringLiteral("abc"));
        if (action == u"width: batch")
            QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
        else if (action == u"width: preview")
            QVERIFY(dropPaths(child(window, "oImg"), {folder + "IMG_2.jpg"}));
    } else if (action == u"too large") {
        QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
        testsupport::writeFile(folder + "huge.png", testsupport::hugePng(20000, 20000));
        QVERIFY(dropPaths(list(window), {folder + "huge.png"}));
        QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
        QVERIFY(window.isConverting() && answerer.messages.size() == 1); // told before the end
    }
    if (action != u"double-click" && action != u"drop on preview" && action != u"width: batch" &&
        action != u"width: preview" && action != u"too large") {
        QCOMPARE(window.current().DstName, dstName);
        if (!title->text().isEmpty())
            QCOMPARE(text(window, "NewName"), dstName);
        QTest::mouseClick(child(window, "Command2"), Qt::LeftButton);
    }
    QVERIFY(waitForConversion(window));

    QCOMPARE(testsupport::files(folder), files);
    QCOMPARE(answerer.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(testsupport::files(dir.path() + "/other"), QStringList{"IMG_1.jpg"});
    QCOMPARE(text(window, "Num"), number);
    if (action == u"double-click")
        QCOMPARE(list(window)->count(), 0);
    if (action == u"too large")
        QCOMPARE(entries(window), QStringList{"huge.png|" + folder});
    if (action.startsWith(u"width")) {
        QCOMPARE(list(window)->count(), 4); // the batch left the list as it was
        QVERIFY(child(window, "PBar1")->isHidden());
    }
}

// 元に戻す gives the list back as the conversion found it: the photos that come back take their
// places and order again, no photo is listed twice, and 番号 is back. Each step is
// "ACTION -> LIST / NUMBER[ / FILES]": the list's photos and 番号 afterwards, and the photos'
// folder where it matters. Actions: "batch", "single NAME" (pressed, then 個別変換), "drop NAMES"
// (on the preview, from another folder), "up NAME" (▲), "undo" (from the list's menu), "ctrl+z",
// "keep names" (renaming off), "edit NAME" (a photo changed after the conversion), "give up" (yes
// to the question that the same undo refused again asks).
void TestConversionWindow::undoFromTheListMenu_data() {
    QTest::addColumn<QString>("outputFolder"); // relative; empty: in place
    QTest::addColumn<QStringList>("steps");
    const QString converted = "batch -> / 05 / Untitled01.JPG Untitled02.JPG Untitled03.JPG "
                              "Untitled04.JPG";
    const QString back = "undo -> a.jpg b.jpg c.jpg d.jpg / 01 / a.jpg b.jpg c.jpg d.jpg";
    QTest::newRow("batch in place") << QString() << QStringList{converted, back};
    QTest::newRow("batch into an output folder it made")
        << "made/out" << QStringList{"batch -> / 05 / a.jpg b.jpg c.jpg d.jpg", back};
    QTest::newRow("single conversion: no second entry, the next batch numbers without a gap")
        << QString()
        << QStringList{"single b.jpg -> a.jpg b.jpg c.jpg d.jpg / 02 / Untitled01.JPG a.jpg "
                       "c.jpg d.jpg",
                       back, converted, back};
    QTest::newRow("batch in the user's order: the order comes back")
        << QString()
        << QStringList{"up d.jpg -> a.jpg b.jpg d.jpg c.jpg / 01",
                       "up d.jpg -> a.jpg d.jpg b.jpg c.jpg / 01", converted,
                       "undo -> a.jpg d.jpg b.jpg c.jpg / 01 / a.jpg b.jpg c.jpg d.jpg"};
    QTest::newRow("a batch, a drop on the preview, two undos, Ctrl+Z for the second")
        << QString()
        << QStringList{converted, "drop e.jpg f.jpg -> / 07", "undo -> / 05",
                       "ctrl+z" + back.mid(4)};
    QTest::newRow("an undo refused twice, then given up")
        << QString()
        << QStringList{"keep names -> a.jpg b.jpg c.jpg d.jpg / 01",
                       "batch -> / 01 / a.jpg b.jpg c.jpg d.jpg", "edit b.jpg -> / 01",
                       "undo -> a.jpg c.jpg d.jpg / 01", "give up -> a.jpg c.jpg d.jpg / 01"};
}

void TestConversionWindow::undoFromTheListMenu() {
    QFETCH(QString, outputFolder);
    QFETCH(QStringList, steps);
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    const QString folder = dir.filePath("in") + u'/';
    const QStringList photos = makePhotos(dir.filePath("in"), {"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    makePhotos(dir.filePath("other"), {"e.jpg", "f.jpg"});
    const QStringList before = testsupport::describeTree(folder);
    MainWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *menu = window.findChild<QMenu *>(QStringLiteral("List"));
    auto *undo = window.findChild<QAction *>(QStringLiteral("Undo"));
    QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    const auto offered = [&] {
        QTest::mouseClick(list(window)->viewport(), Qt::RightButton);
        const bool enabled = menu->isVisible() && undo->isEnabled();
        menu->close();
        return enabled;
    };
    QVERIFY(!offered()); // nothing converted yet

    dropPaths(list(window), photos);
    QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
    if (!outputFolder.isEmpty())
        child<QLineEdit>(window, "OutFolder")->setText(dir.filePath(outputFolder));
    ModalAnswerer answerer;
    const auto rowOf = [&](const QString &name) {
        return list(window)->row(list(window)->findItems(name, Qt::MatchExactly).first());
    };
    bool edited = false;
    for (const QString &step : std::as_const(steps)) {
        const QString action = step.section(QStringLiteral(" -> "), 0, 0);
        const QStringList expected = step.section(QStringLiteral(" -> "), 1).split(u'/');
        const QString verb = action.section(u' ', 0, 0);
        const QStringList names = action.section(u' ', 1).split(u' ', Qt::SkipEmptyParts);
        if (verb == u"batch") {
            QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
            QVERIFY(!offered()); // not while converting
        } else if (verb == u"single") {
            clickRow(list(window), rowOf(names.first()));
            QTest::mouseClick(child(window, "Command2"), Qt::LeftButton);
        } else if (verb == u"drop") {
            QStringList paths;
            for (const QString &name : names)
                paths.append(dir.filePath("other/" + name));
            QVERIFY(dropPaths(child(window, "oImg"), paths));
        } else if (verb == u"up") {
            clickRow(list(window), rowOf(names.first()));
            QTest::mouseClick(child(window, "UpOrd"), Qt::LeftButton);
        } else if (verb == u"undo" || verb == u"give") {
            answerer.reply = verb == u"give" ? QMessageBox::Yes : QMessageBox::No;
            QVERIFY(offered());
            undo->trigger();
        } else if (verb == u"ctrl+z") {
            window.activateWindow(); // the offscreen platform leaves it inactive after a message
            QVERIFY(QTest::qWaitForWindowActive(&window));
            child(window, "Title")->setFocus(); // a field with no typing of its own to undo
            QTest::keyClick(child(window, "Title"), Qt::Key_Z, Qt::ControlModifier);
        } else if (verb == u"keep") {
            QTest::mouseClick(child(window, "CkFile"), Qt::LeftButton);
        } else if (verb == u"edit") {
            QFile output(folder + names.first());
            QVERIFY(output.open(QIODevice::Append));
            output.write("edited");
            edited = true;
        }
        QVERIFY(waitForConversion(window));
        QStringList listed;
        for (const pelmora::PhotoEntry &entry : list(window)->entries()) {
            listed.append(entry.name);
            // After an undo, each entry is a photo that is there, and none is listed twice.
            if (verb == u"undo" || verb == u"ctrl+z" || verb == u"give")
                QVERIFY2(QFileInfo::exists(entry.path()), qPrintable(entry.path()));
        }
        QCOMPARE(listed.join(u' '), expected.at(0).trimmed());
        QCOMPARE(text(window, "Num"), expected.at(1).trimmed());
        if (expected.size() > 2)
            QCOMPARE(testsupport::files(folder).join(u' '), expected.at(2).trimmed());
    }
    if (steps.last().startsWith(u"give"))
        QCOMPARE(answerer.boxes.last().buttons, QMessageBox::Yes | QMessageBox::No);
    else
        QCOMPARE(answerer.messages.last(), QStringLiteral("4 枚の写真を元に戻しました"));
    if (!edited)
        QCOMPARE(testsupport::describeTree(folder), before);
    QVERIFY(!QFileInfo::exists(dir.filePath("made")));
    QVERIFY(!offered()); // nothing left to undo
}

// The same scenario in the languages a desktop may ask for: drop, batch, end message, 元に戻す
// from the list's menu. Every caption, tooltip and accessible text is in the window's language
// and shows whole at the window's fixed size; Qt's own dialogs speak the same language.
void TestConversionWindow::speaksTheDesktopLanguage_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QString>("cancel");     // on Qt's folder chooser
    QTest::addColumn<QStringList>("ending"); // what the end message says
    const QStringList japanese{
        "1 枚の写真を変換できませんでした。リストに残してあります。\n"
        "broken.jpg: 読み込める画像ではありません",
        "2 枚の写真は変換しましたが、次の点にご注意ください。\n"
        "2 枚の写真: 写真のデータが壊れています: 読み込めたところまで変換しました"};
    QTest::newRow("ja_JP") << "ja_JP" << true << "キャンセル" << japanese;
    QTest::newRow("en_US")
        << "en_US" << false << "Cancel"
        << QStringList{"1 photo could not be converted. It stays on the list.\n"
                       "broken.jpg: not a picture that can be read",
                       "2 photos were converted, but please note the following.\n"
                       "2 photos: the photo's data is damaged: converted as far as it could be "
                       "read"};
    QTest::newRow("C") << "C" << true << "キャンセル" << japanese;
}

void TestConversionWindow::speaksTheDesktopLanguage() {
    QFETCH(QString, locale);
    QFETCH(bool, japanese);
    QFETCH(QString, cancel);
    QFETCH(QStringList, ending);

    const auto desktop = qScopeGuard([] {
        pelmora::useInterfaceLanguage(
            pelmora::interfaceLanguageFor(QLocale::system().uiLanguages()));
    });
    pelmora::useInterfaceLanguage(pelmora::interfaceLanguageFor(QLocale(locale).uiLanguages()));
    testsupport::TestFolder dir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto *menu = window.findChild<QMenu *>(QStringLiteral("List"));
    QStringList texts{window.windowTitle(), child<QProgressBar>(window, "PBar1")->format()};
    for (const QAction *action : menu->actions())
        texts.append(action->text());
    for (const DesignedControl &c : kDesignedControls) {
        QWidget *w = child(window, c.name);
        const QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
        const QString name = accessible->text(QAccessible::Name);
        const QString description = accessible->text(QAccessible::Description);
        QVERIFY2(!name.isEmpty(), c.name);
        if (w->metaObject() != &QLabel::staticMetaObject) // all but the plain labels
            QVERIFY2(!description.isEmpty(), c.name);
        texts << caption(w) << w->toolTip() << name << description;
        if (japanese) {
            QCOMPARE(w->toolTip(), QString::fromUtf8(c.toolTip));
            if (c.text)
                QCOMPARE(caption(w), QString::fromUtf8(c.text));
        }
    }
    if (!japanese) {
        for (const QString &text : std::as_const(texts))
            QVERIFY2(!hasJapanese(text), qPrintable(text));
    }
    QCOMPARE(hasJapanese(window.windowTitle()), japanese);
    QCOMPARE(clippedCaptions(window), QStringList());

    QString cancelShown;
    ModalAnswerer answerer([&](QDialog *dialog) {
        if (auto *buttons = dialog->findChild<QDialogButtonBox *>())
            cancelShown = buttons->button(QDialogButtonBox::Cancel)->text();
        dialog->reject();
    });
    QTest::mouseClick(child(window, "PhotOutDir"), Qt::LeftButton);
    QCOMPARE(cancelShown, cancel);

    const QString folder = dir.filePath("photos") + u'/';
    const QStringList photos{
        dir.place("photos/a.jpg", testsupport::photoBytes(1, QSize(640, 480))),
        dir.place("photos/broken.jpg", "not a picture\n"),
        dir.place("photos/cut1.jpg",
                  testsupport::truncatedJpeg(testsupport::photoBytes(2, QSize(640, 480)))),
        dir.place("photos/cut2.jpg",
                  testsupport::truncatedJpeg(testsupport::photoBytes(3, QSize(640, 480))))};
    const QStringList before = testsupport::describeTree(folder);
    QVERIFY(dropPaths(list(window), photos));
    QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    QVERIFY(waitForConversion(window));
    QTRY_COMPARE(answerer.messages.size(), 1);
    const QString ended = answerer.messages.first();
    for (const QString &part : ending)
        QVERIFY2(ended.contains(part), qPrintable(ended));
    QCOMPARE(entries(window), QStringList{"broken.jpg|" + folder});

    clickRow(list(window), 0, Qt::RightButton);
    QTRY_VERIFY(menu->isVisible());
    auto *undo = window.findChild<QAction *>(QStringLiteral("Undo"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(undo).center());
    QTRY_COMPARE(answerer.messages.size(), 2);
    QVERIFY(waitForConversion(window));
    // The message in the window's language, the photos back as they were.
    QCOMPARE(hasJapanese(answerer.messages.last()), japanese);
    QCOMPARE(testsupport::describeTree(folder), before);
}

QTEST_MAIN(TestConversionWindow)
#include "tst_conversionwindow.moc"
