// Making a list entry the current photo, the preview, dropping photos on the preview, and the
// output folder and signature font choosers, through real mouse and drop events.

#include "files.h"
#include "photos.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using namespace windowdriver;

class TestCurrentPhoto : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void press_data();
    void press();
    void rightPressChangesNothing();
    void keyboardChangesNothing();
    void undecodableFile();
    void previewGeometry_data();
    void previewGeometry();
    void dropOnPreviewConvertsLastFirst();
    void dropOnPreviewWithRenamingOff();
    void outputFolderChooser();
    void signatureFontChooser();
};

void TestCurrentPhoto::press_data() {
    QTest::addColumn<bool>("pattern");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("dstName");
    QTest::addColumn<QString>("newName");
    QTest::newRow("pattern on") << true << "Trip"
                                << ""
                                << "Trip07.jpg"
                                << "Trip07.jpg";
    QTest::newRow("extension set") << true << "Trip"
                                   << "JPG"
                                   << "Trip07.JPG"
                                   << "Trip07.JPG";
    QTest::newRow("pattern off") << false << "Trip"
                                 << ""
                                 << "IMG_0002.jpg"
                                 << "Trip07";
    QTest::newRow("empty title") << true << ""
                                 << ""
                                 << "07.jpg"
                                 << "07.jpg";
}

void TestCurrentPhoto::press() {
    QFETCH(bool, pattern);
    QFETCH(QString, title);
    QFETCH(QString, extension);
    QFETCH(QString, dstName);
    QFETCH(QString, newName);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/photos/";
    MainWindow window;
    window.show();
    QVERIFY(
        dropPaths(list(window), {testsupport::writePicture(folder + "IMG_0001.jpg", {64, 48}),
                                 testsupport::writePicture(folder + "IMG_0002.jpg", {640, 480}),
                                 testsupport::writePicture(folder + "IMG_0003.jpg", {64, 48})}));
    child<QLineEdit>(window, "Title")->setText(QStringLiteral("Trip"));
    child<QLineEdit>(window, "Num")->setText(QStringLiteral("07"));
    if (title.isEmpty()) {
        child<QLineEdit>(window, "Title")->clear();
        child<QLineEdit>(window, "Num")->setText(QStringLiteral("07"));
    }
    child<QLineEdit>(window, "Suf")->setText(extension);
    if (!pattern)
        QTest::mouseClick(child(window, "CkFile"), Qt::LeftButton);
    if (!title.isEmpty() && extension.isEmpty())
        QCOMPARE(text(window, "NewName"), QStringLiteral("Trip07"));

    clickRow(list(window), 1);
    QCOMPARE(window.current().SrcDir, folder);
    QCOMPARE(window.current().SrcName, QStringLiteral("IMG_0002.jpg"));
    QCOMPARE(window.current().DstName, dstName);
    QCOMPARE(text(window, "NewName"), newName);
    QCOMPARE(child<QLabel>(window, "OrgSize")->text(),
             QStringLiteral("ImageSze Width: 640  Height: 480"));
    QVERIFY(!child<QLabel>(window, "oImg")->pixmap().isNull());
}

void TestCurrentPhoto::rightPressChangesNothing() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    dropPaths(list(window), {testsupport::writePicture(dir.path() + "/a.jpg", {64, 48}),
                             testsupport::writePicture(dir.path() + "/b.png", {30, 20}, "PNG")});
    clickRow(list(window), 0);
    const QString size = child<QLabel>(window, "OrgSize")->text();
    clickRow(list(window), 1, Qt::RightButton);
    auto *menu = window.findChild<QMenu *>(QStringLiteral("List"));
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QCOMPARE(window.current().SrcName, QStringLiteral("a.jpg"));
    QCOMPARE(list(window)->currentRow(), 0);
    QCOMPARE(child<QLabel>(window, "OrgSize")->text(), size);
}

void TestCurrentPhoto::keyboardChangesNothing() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    dropPaths(list(window), {testsupport::writePicture(dir.path() + "/a.jpg", {64, 48}),
                             testsupport::writePicture(dir.path() + "/b.jpg", {48, 64})});
    clickRow(list(window), 0);
    const QRect preview = child(window, "oImg")->geometry();
    QTest::keyClick(list(window), Qt::Key_Down);
    QCOMPARE(list(window)->currentRow(), 1);
    QCOMPARE(window.current().SrcName, QStringLiteral("a.jpg"));
    QCOMPARE(child<QLabel>(window, "OrgSize")->text(),
             QStringLiteral("ImageSze Width: 64  Height: 48"));
    QCOMPARE(child(window, "oImg")->geometry(), preview);
}

void TestCurrentPhoto::undecodableFile() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    dropPaths(list(window), {testsupport::writePicture(dir.path() + "/a.jpg", {64, 48}),
                             testsupport::writeText(dir.path() + "/notes.jpg")});
    clickRow(list(window), 0);
    clickRow(list(window), 1);
    QCOMPARE(child<QLabel>(window, "OrgSize")->text(), QStringLiteral("Error"));
    QVERIFY(child<QLabel>(window, "oImg")->pixmap().isNull());
    QCOMPARE(window.current().DstName, QStringLiteral("Untitled01.jpg")); // the name is still built
}

void TestCurrentPhoto::previewGeometry_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("640 x 480") << QSize(640, 480) << QRect(0, 33, 285, 214);
    QTest::newRow("480 x 640") << QSize(480, 640) << QRect(38, 0, 209, 279);
    QTest::newRow("square") << QSize(300, 300) << QRect(3, 0, 279, 279);
}

void TestCurrentPhoto::previewGeometry() {
    QFETCH(QSize, size);
    QFETCH(QRect, geometry);
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    dropPaths(list(window), {testsupport::writePicture(dir.path() + "/p.jpg", size)});
    clickRow(list(window), 0);
    QCOMPARE(child(window, "oImg")->geometry(), geometry);
    QVERIFY(child(window, "oImg")->isVisible());
}

void TestCurrentPhoto::dropOnPreviewConvertsLastFirst() {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    MainWindow window;
    window.show();
    const QStringList dropped{testsupport::writePicture(folder + "a.jpg", {64, 48}),
                              testsupport::writePicture(folder + "b.jpg", {48, 64}),
                              testsupport::writePicture(folder + "c.jpg", {50, 50})};
    const QByteArray a = testsupport::readFile(dropped[0]), c = testsupport::readFile(dropped[2]);
    QVERIFY(dropPaths(child(window, "oImg"), dropped));
    QVERIFY(waitForConversion(window));
    QCOMPARE(testsupport::files(folder),
             (QStringList{"Untitled01.jpg", "Untitled02.jpg", "Untitled03.jpg"}));
    QCOMPARE(testsupport::readFile(folder + "Untitled01.jpg"), c);
    QCOMPARE(testsupport::readFile(folder + "Untitled03.jpg"), a);
    QCOMPARE(window.current().SrcName, QStringLiteral("a.jpg"));
    QCOMPARE(window.current().DstName, QStringLiteral("Untitled04.jpg")); // follows the number
    QCOMPARE(text(window, "Num"), QStringLiteral("04"));
    QCOMPARE(child(window, "oImg")->geometry(), QRect(0, 33, 285, 214)); // a is 64 x 48
    QCOMPARE(list(window)->count(), 0);
}

void TestCurrentPhoto::dropOnPreviewWithRenamingOff() {
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    QTest::mouseClick(child(window, "CkFile"), Qt::LeftButton);
    const QString photo = testsupport::writePicture(dir.path() + "/in/a.jpg", {64, 48});
    child<QLineEdit>(window, "OutFolder")->setText(dir.path() + "/out");
    QVERIFY(dropPaths(child(window, "oImg"), {photo}));
    QVERIFY(waitForConversion(window));
    QCOMPARE(testsupport::files(dir.path() + "/out"), QStringList{"a.jpg"});
    QCOMPARE(window.current().DstName, QStringLiteral("Untitled01.jpg"));
    QCOMPARE(text(window, "NewName"), QStringLiteral("Untitled01.jpg"));
    QCOMPARE(text(window, "Num"), QStringLiteral("01"));
}

void TestCurrentPhoto::outputFolderChooser() {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("start/inner");
    MainWindow window;
    window.show();
    QLineEdit *out = child<QLineEdit>(window, "OutFolder");
    out->setText(dir.path() + "/start");

    QString seenTitle, seenDirectory;
    QFileDialog::FileMode seenMode = QFileDialog::AnyFile;
    bool choose = false;
    ModalAnswerer answerer([&](QDialog *d) {
        auto *chooser = qobject_cast<QFileDialog *>(d);
        QVERIFY(chooser);
        seenTitle = chooser->windowTitle();
        seenDirectory = chooser->directory().absolutePath();
        seenMode = chooser->fileMode();
        if (!choose) {
            chooser->reject();
            return;
        }
        chooser->setDirectory(dir.path() + "/start/inner");
        QMetaObject::invokeMethod(chooser, "accept");
    });

    QTest::mouseClick(child(window, "PhotOutDir"), Qt::LeftButton);
    QCOMPARE(seenDirectory, dir.path() + "/start");
    QCOMPARE(seenMode, QFileDialog::Directory);
    QVERIFY(!seenTitle.isEmpty());
    QCOMPARE(out->text(), dir.path() + "/start"); // cancel keeps the folder

    choose = true;
    QTest::mouseClick(child(window, "PhotOutDir"), Qt::LeftButton);
    QCOMPARE(out->text(), dir.path() + "/start/inner");
}

void TestCurrentPhoto::signatureFontChooser() {
    MainWindow window;
    window.show();
    QLineEdit *sig = child<QLineEdit>(window, "Sig");
    QLineEdit *pt = child<QLineEdit>(window, "Pt");
    pt->setText(QStringLiteral("11"));
    const QFont before = sig->font();

    bool accept = false;
    QFont presetSeen;
    QStringList titles;
    QString cancelText;
    ModalAnswerer answerer([&](QDialog *d) {
        titles.append(d->windowTitle());
        if (auto *fonts = qobject_cast<QFontDialog *>(d)) {
            presetSeen = fonts->currentFont();
            if (auto *buttons = fonts->findChild<QDialogButtonBox *>())
                cancelText = buttons->button(QDialogButtonBox::Cancel)->text();
            if (!accept) {
                fonts->reject();
                return;
            }
            QFont chosen(QStringLiteral("IPAGothic"));
            chosen.setPointSize(12);
            chosen.setBold(false);
            chosen.setItalic(false);
            chosen.setUnderline(true);
            fonts->setCurrentFont(chosen);
            fonts->accept();
        } else if (auto *colors = qobject_cast<QColorDialog *>(d)) {
            colors->setCurrentColor(QColor(200, 0, 0));
            colors->accept();
        }
    });

    QTest::mouseClick(child(window, "SignFont"), Qt::LeftButton);
    QCOMPARE(presetSeen.pointSizeF(), 9.0); // the field's own size, not the size field
    QCOMPARE(sig->font(), before);          // cancel changes nothing
    QCOMPARE(pt->text(), QStringLiteral("11"));
    QCOMPARE(sig->palette().color(QPalette::Text), QColor(Qt::black));

    accept = true;
    QTest::mouseClick(child(window, "SignFont"), Qt::LeftButton);
    QCOMPARE(sig->font().family(), QStringLiteral("IPAGothic"));
    QVERIFY(!sig->font().bold());
    QVERIFY(!sig->font().underline());
    QCOMPARE(sig->font().pointSizeF(), 9.0);
    QCOMPARE(pt->text(), QStringLiteral("12"));
    QCOMPARE(sig->palette().color(QPalette::Text), QColor(200, 0, 0));

    // Qt's stock dialogs speak Japanese like the window
    const QStringList expected{QFontDialog::tr("Select Font"), QFontDialog::tr("Select Font"),
                               QColorDialog::tr("Select Color")};
    QCOMPARE(titles, expected);
    QVERIFY2(titles.first() != QLatin1String("Select Font"), qPrintable(titles.first()));
    QVERIFY2(titles.last() != QLatin1String("Select Color"), qPrintable(titles.last()));
    QCOMPARE(cancelText, QCoreApplication::translate("QPlatformTheme", "Cancel"));
    QVERIFY2(cancelText != QLatin1String("Cancel"), qPrintable(cancelText));
}

QTEST_MAIN(TestCurrentPhoto)
#include "tst_currentphoto.moc"
