// The window as it opens, and filling the photo list by dropping files on it.

#include "app/droppedpaths.h"
#include "designedcontrols.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QSlider>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

using namespace std::string_view_literals;
using namespace windowdriver;

namespace {

// Set in the environment of a second run of this test, which reports the language the window
// and Qt's own dialogs speak there instead of testing.
constexpr char kReportLanguage[] = "PELMORA_TEST_REPORT_LANGUAGE";

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controls_data();
    void controls();
    void startState();
    void tabOrder();
    void triangles();

    void dropOrderDoesNotMatter();
    void dropIntoExistingEntries();
    void dropSixtyFiles();
    void dropFolderAndDuplicates();
    void dropPathWithoutSeparatorKeepsName();
    void dropWithoutFiles();
    void dropAfterClear();
    void commandLineOpensWithPhotos();

    void desktopLanguage_data();
    void desktopLanguage();
};

void TestMainWindow::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("checkText");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QRect>("geometry");
    for (const DesignedControl &c : kDesignedControls) {
        QTest::newRow(c.name) << QString::fromUtf8(c.name) << QString::fromUtf8(c.text)
                              << (c.text != nullptr) << QString::fromUtf8(c.toolTip)
                              << QRect(c.left, c.top, c.width, c.height);
    }
}

void TestMainWindow::controls() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, checkText);
    QFETCH(QString, toolTip);
    QFETCH(QRect, geometry);
    MainWindow window;
    QWidget *w = window.findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(QRect(w->mapTo(&window, QPoint(0, 0)), w->size()), geometry);
    QCOMPARE(w->toolTip(), toolTip);
    // A panel shows its frame's four sides at the scales desktops use, also where the panel
    // starts part of the way into a screen pixel (163 x 1.25): on one of the two screen pixels
    // inside each side.
    auto *panel = qobject_cast<QFrame *>(w);
    for (const qreal scale : {1.0, 1.25, 1.5}) {
        if (!panel || panel->frameShape() != QFrame::StyledPanel)
            break;
        QImage shown(window.size() * scale, QImage::Format_RGB32);
        shown.setDevicePixelRatio(scale);
        window.render(&shown);
        const QRectF onScreen(QPointF(geometry.topLeft()) * scale, QSizeF(geometry.size()) * scale);
        const QPoint first(std::ceil(onScreen.left()), std::ceil(onScreen.top()));
        const QPoint last(std::ceil(onScreen.right()) - 1, std::ceil(onScreen.bottom()) - 1);
        const QPoint middle = onScreen.center().toPoint();
        const auto framed = [&](QPoint edge, QPoint inward) {
            return qGray(shown.pixel(edge)) < 215 || qGray(shown.pixel(edge + inward)) < 215;
        };
        QVERIFY2(
            framed({middle.x(), first.y()}, {0, 1}) && framed({middle.x(), last.y()}, {0, -1}) &&
                framed({first.x(), middle.y()}, {1, 0}) && framed({last.x(), middle.y()}, {-1, 0}),
            qPrintable(QString::number(scale)));
    }
    if (!checkText)
        return;
    QString shown;
    if (auto *box = qobject_cast<QGroupBox *>(w))
        shown = box->title();
    else if (auto *label = qobject_cast<QLabel *>(w))
        shown = label->text();
    else if (auto *edit = qobject_cast<QLineEdit *>(w))
        shown = edit->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        shown = button->text();
    QCOMPARE(shown, text);
}

void TestMainWindow::startState() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(522, 485));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowTitle().contains(QStringLiteral(PELMORA_VERSION)));

    QVERIFY(child<QCheckBox>(window, "CkFile")->isChecked());
    QVERIFY(!child<QCheckBox>(window, "CkResize")->isChecked());
    for (const char *name : {"Title", "Num", "Suf", "NewName", "Label1_0", "Label1_3"})
        QVERIFY2(child(window, name)->isEnabled(), name);
    QCOMPARE(text(window, "NewName"), QString()); // no preview until a field changes
    QCOMPARE(text(window, "picWidth"), QStringLiteral("250"));
    QCOMPARE(text(window, "Pt"), QStringLiteral("8"));
    auto *slider = child<QSlider>(window, "Slider1");
    QCOMPARE(slider->minimum(), 1);
    QCOMPARE(slider->maximum(), 10);
    QCOMPARE(slider->value(), 5);
    QCOMPARE(slider->singleStep(), 1);
    QCOMPARE(slider->pageStep(), 5);
    QCOMPARE(slider->tickInterval(), 1);
    QVERIFY(child<QProgressBar>(window, "PBar1")->isHidden());
    QCOMPARE(child<QProgressBar>(window, "PBar1")->maximum(), 100);
    QCOMPARE(list(window)->count(), 0);
    QCOMPARE(list(window)->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(child<QLabel>(window, "oImg")->pixmap().isNull());
    QCOMPARE(QApplication::focusWidget(), child(window, "Command2"));

    const QFont sig = child(window, "Sig")->font();
    QVERIFY(sig.bold());
    QVERIFY(sig.italic());
    QCOMPARE(sig.pointSizeF(), 9.0);
    QCOMPARE(child(window, "CLR")->font().pointSizeF(), 8.25);
    QCOMPARE(child(window, "Title")->palette().color(QPalette::Base), QColor(192, 255, 255));
    QCOMPARE(child(window, "Num")->palette().color(QPalette::Base), QColor(192, 255, 192));
    QCOMPARE(child(window, "picWidth")->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(child(window, "NewName")->palette().color(QPalette::Base), QColor(224, 224, 224));
    QCOMPARE(child(window, "Command1")->palette().color(QPalette::Button), QColor(192, 192, 255));
    QVERIFY(window.current().SrcDir.isEmpty() && window.current().SrcName.isEmpty() &&
            window.current().DstName.isEmpty());
    QVERIFY(!window.RepeatUp);

    // The menu is a context menu with 削除 and, below it, 元に戻す; never a menu bar.
    auto *menu = window.findChild<QMenu *>(QStringLiteral("List"));
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions().first()->objectName(), QStringLiteral("Del"));
    QCOMPARE(menu->actions().last()->objectName(), QStringLiteral("Undo"));
    QVERIFY(!window.findChild<QMenuBar *>());
}

void TestMainWindow::tabOrder() {
    MainWindow window;
    const QStringList expected{"Command2", "oPic",       "List1",     "Command1", "DwOrd",
                               "UpOrd",    "Suf",        "Title",     "Num",      "NewName",
                               "CkResize", "picWidth",   "Sig",       "Pt",       "Slider1",
                               "CkFile",   "PhotOutDir", "OutFolder", "CLR",      "SignFont"};
    QStringList order;
    QWidget *w = child(window, "Command2");
    do {
        if (w->focusPolicy() & Qt::TabFocus && !w->objectName().startsWith(u"qt_"))
            order.append(w->objectName());
        w = w->nextInFocusChain();
    } while (w != child(window, "Command2") && order.size() < 40);
    QCOMPARE(order, expected);
}

void TestMainWindow::triangles() {
    // The reorder buttons show an upward and a downward triangle in a font that has them.
    MainWindow window;
    for (const char *name : {"UpOrd", "DwOrd"}) {
        auto *button = child<QAbstractButton>(window, name);
        QCOMPARE(button->text().size(), 1);
        QVERIFY(QFontMetrics(button->font()).inFont(button->text().front()));
    }
    QCOMPARE(child<QAbstractButton>(window, "UpOrd")->text().front().unicode(), 0x25B2);
    QCOMPARE(child<QAbstractButton>(window, "DwOrd")->text().front().unicode(), 0x25BC);
}

void TestMainWindow::dropOrderDoesNotMatter() {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QStringList paths = touch(dir.path(), {"c.jpg", "A.jpg", "b.JPG"});
    const QStringList expected{"A.jpg|" + folder, "b.JPG|" + folder, "c.jpg|" + folder};

    MainWindow forward;
    QVERIFY(dropPaths(list(forward), paths));
    QCOMPARE(entries(forward), expected);

    MainWindow backward;
    QVERIFY(dropPaths(list(backward), {paths[2], paths[0], paths[1]}));
    QCOMPARE(entries(backward), expected);
    QVERIFY(list(backward)->selectedItems().isEmpty());
}

void TestMainWindow::dropIntoExistingEntries() {
    QTemporaryDir dir;
    const QString one = dir.path() + "/one/";
    const QString two = dir.path() + "/two/";
    MainWindow window;
    QVERIFY(dropPaths(list(window), touch(one, {"a.jpg", "c.jpg", "e.jpg"})));
    QVERIFY(dropPaths(list(window), touch(two, {"d.jpg", "b.jpg"})));
    QCOMPARE(entries(window), (QStringList{"a.jpg|" + one, "b.jpg|" + two, "c.jpg|" + one,
                                           "d.jpg|" + two, "e.jpg|" + one}));
}

void TestMainWindow::dropSixtyFiles() {
    QTemporaryDir dir;
    QStringList names;
    for (int i = 59; i >= 0; --i)
        names.append(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    MainWindow atOnce;
    QVERIFY(dropPaths(list(atOnce), touch(dir.path(), names)));
    QCOMPARE(entries(atOnce).size(), 60);
    QCOMPARE(entries(atOnce).first(), QStringLiteral("IMG_0000.jpg|%1/").arg(dir.path()));
    QCOMPARE(entries(atOnce).last(), QStringLiteral("IMG_0059.jpg|%1/").arg(dir.path()));

    // 45 first, then 15 more among them.
    MainWindow window;
    QVERIFY(dropPaths(list(window), touch(dir.path(), names.mid(0, 45))));
    QVERIFY(dropPaths(list(window), touch(dir.path(), names.mid(45))));
    const QStringList all = entries(window);
    QCOMPARE(all.size(), 60);
    for (int i = 0; i < 60; ++i)
        QCOMPARE(all[i],
                 QStringLiteral("IMG_%1.jpg|%2/").arg(i, 4, 10, QLatin1Char('0')).arg(dir.path()));
}

void TestMainWindow::dropFolderAndDuplicates() {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("album");
    const QString file = touch(dir.path(), {"x.jpg"}).first();
    MainWindow window;
    QVERIFY(dropPaths(list(window), {dir.path() + "/album", file, file}));
    const QString folder = dir.path() + u'/';
    QCOMPARE(entries(window),
             (QStringList{"album|" + folder, "x.jpg|" + folder, "x.jpg|" + folder}));
}

void TestMainWindow::dropPathWithoutSeparatorKeepsName() {
    // A drop always carries full paths; a path given without a folder stays whole as the name.
    MainWindow window;
    window.addPhotos({QStringLiteral("loose.jpg")});
    QCOMPARE(entries(window), QStringList{"loose.jpg|"});
}

void TestMainWindow::dropWithoutFiles() {
    MainWindow window;
    auto *mime = new QMimeData;
    mime->setText(QStringLiteral("just some text"));
    QVERIFY(!dropPaths(list(window), {}, mime));
    QCOMPARE(list(window)->count(), 0);
}

void TestMainWindow::dropAfterClear() {
    QTemporaryDir dir;
    MainWindow window;
    QVERIFY(dropPaths(list(window), touch(dir.path() + "/old", {"z.jpg", "y.jpg"})));
    QTest::mouseClick(child(window, "CLR"), Qt::LeftButton);
    QCOMPARE(list(window)->count(), 0);
    const QString fresh = dir.path() + "/new/";
    QVERIFY(dropPaths(list(window), touch(fresh, {"b.jpg", "a.jpg"})));
    QCOMPARE(entries(window), (QStringList{"a.jpg|" + fresh, "b.jpg|" + fresh}));
}

void TestMainWindow::commandLineOpensWithPhotos() {
    // `pelmora FILE...` lists the files as a drop would, relative paths made absolute.
    QTemporaryDir dir;
    touch(dir.path(), {"b.jpg", "a.jpg"});
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    MainWindow window;
    window.addPhotos(absolutePaths({QStringLiteral("b.jpg"), QStringLiteral("a.jpg")}));
    QDir::setCurrent(previous);
    const QString folder = dir.path() + u'/';
    QCOMPARE(entries(window), (QStringList{"a.jpg|" + folder, "b.jpg|" + folder}));
}

// The window speaks the desktop's language as the environment gives it: LANGUAGE before
// LC_ALL, LC_MESSAGES and LANG; Japanese where Japanese comes before English and under the C
// locale; English for English and for any other language. Each row is a real start of the
// window in a process of its own.
void TestMainWindow::desktopLanguage_data() {
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("ja_JP") << QStringList{"LANG=ja_JP.UTF-8"} << true;
    QTest::newRow("en_US") << QStringList{"LANG=en_US.UTF-8"} << false;
    QTest::newRow("C") << QStringList{"LANG=C"} << true;
    QTest::newRow("C.UTF-8") << QStringList{"LANG=C.UTF-8"} << true;
    QTest::newRow("POSIX") << QStringList{"LC_ALL=POSIX"} << true;
    QTest::newRow("no locale at all") << QStringList{} << true;
    QTest::newRow("de_DE") << QStringList{"LANG=de_DE.UTF-8"} << false;
    QTest::newRow("fr_FR") << QStringList{"LANG=fr_FR.UTF-8"} << false;
    QTest::newRow("LANGUAGE puts Japanese first")
        << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=ja:en"} << true;
    QTest::newRow("LANGUAGE puts English first")
        << QStringList{"LANG=ja_JP.UTF-8", "LANGUAGE=en_GB:ja"} << false;
    QTest::newRow("LANGUAGE: German, then Japanese")
        << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=de:ja"} << true;
    QTest::newRow("LC_MESSAGES English in a Japanese locale")
        << QStringList{"LANG=ja_JP.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << false;
    QTest::newRow("LC_ALL over LC_MESSAGES")
        << QStringList{"LC_MESSAGES=en_US.UTF-8", "LC_ALL=ja_JP.UTF-8"} << true;
}

void TestMainWindow::desktopLanguage() {
    QFETCH(QStringList, environment);
    QFETCH(bool, japanese);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QString::fromLatin1(name));
    for (const QString &assignment : environment)
        env.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    env.insert(QString::fromLatin1(kReportLanguage), QStringLiteral("1"));
    QProcess run;
    run.setProcessEnvironment(env);
    run.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 0);
    const QStringList said = QString::fromUtf8(run.readAllStandardOutput()).split(u'\n');
    // The batch button's caption, and the Cancel button of Qt's own dialogs.
    const auto batch =
        std::find_if(std::begin(kDesignedControls), std::end(kDesignedControls),
                     [](const DesignedControl &c) { return c.name == "Command1"sv; });
    QCOMPARE(said.value(0), japanese ? QString::fromUtf8(batch->text) : QStringLiteral("Batch"));
    QCOMPARE(said.value(1), japanese ? QStringLiteral("キャンセル") : QStringLiteral("Cancel"));
}

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (qEnvironmentVariableIsSet(kReportLanguage)) {
        MainWindow window;
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        std::printf("%s\n%s\n", qUtf8Printable(child<QAbstractButton>(window, "Command1")->text()),
                    qUtf8Printable(buttons.button(QDialogButtonBox::Cancel)->text()));
        return 0;
    }
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainwindow.moc"
