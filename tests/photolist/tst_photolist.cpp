#include "photolist/photoentry.h"
#include "photolist/previewfit.h"
#include "photolist/selectionmove.h"
#include "photolist/sortedinsert.h"

#include <QStringList>
#include <QTest>

using pelmora::PhotoEntry;

namespace {

std::vector<bool> selection(const QString &marks) {
    std::vector<bool> selected;
    for (QChar c : marks)
        selected.push_back(c == u'x');
    return selected;
}

// Applies a plan to the letters a, b, c, ... and gives the order and the selection marks.
QString apply(const pelmora::SelectionMove &plan, QString marks) {
    QString order;
    for (int i = 0; i < marks.size(); ++i)
        order += QChar(u'a' + i);
    for (const auto &swap : plan.swaps) {
        std::swap(order[swap.from], order[swap.to]);
        std::swap(marks[swap.from], marks[swap.to]);
    }
    return order + u' ' + marks;
}

} // namespace

class TestPhotoList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitPath_data();
    void splitPath();
    void moves_data();
    void moves();
    void sortedInsert_data();
    void sortedInsert();
    void fitPreview_data();
    void fitPreview();
};

void TestPhotoList::splitPath_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("file") << "/photos/2003/dsc0001.jpg"
                          << "/photos/2003/"
                          << "dsc0001.jpg";
    QTest::newRow("folder") << "/photos/2003"
                            << "/photos/"
                            << "2003";
    QTest::newRow("no separator") << "dsc0001.jpg"
                                  << ""
                                  << "dsc0001.jpg";
    QTest::newRow("trailing separator") << "/media/card/"
                                        << "/media/card/"
                                        << "";
    QTest::newRow("root") << "/"
                          << "/"
                          << "";
    QTest::newRow("japanese") << "/写真/旅行 1.jpg"
                              << "/写真/"
                              << "旅行 1.jpg";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestPhotoList::splitPath() {
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    const PhotoEntry e = pelmora::splitPath(path);
    QCOMPARE(e.folder, folder);
    QCOMPARE(e.name, name);
    QCOMPARE(e.path(), path);
}

void TestPhotoList::moves_data() {
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("expected"); // order and selection after the move
    QTest::addColumn<int>("current");
    QTest::newRow("up: middle run moves as a block") << true << "..xx."
                                                     << "acdbe .xx.." << 2;
    QTest::newRow("up: first entry stays") << true << "x...."
                                           << "abcde x...." << 0;
    QTest::newRow("up: run at the top stays") << true << "xx..."
                                              << "abcde xx..." << 1;
    QTest::newRow("up: 0, 1 stay, 3 moves") << true << "xx.x."
                                            << "abdce xxx.." << 2;
    QTest::newRow("up: last entry") << true << "....x"
                                    << "abced ...x." << 3;
    QTest::newRow("up: nothing selected") << true << "....."
                                          << "abcde ....." << -1;
    QTest::newRow("down: middle run moves as a block") << false << ".xx.."
                                                       << "adbce ..xx." << 2;
    QTest::newRow("down: last entry stays") << false << "....x"
                                            << "abcde ....x" << 4;
    QTest::newRow("down: run at the bottom stays") << false << "...xx"
                                                   << "abcde ...xx" << 3;
    QTest::newRow("down: 1 moves, 3 and 4 stay") << false << ".x.xx"
                                                 << "acbde ..xxx" << 2;
    QTest::newRow("down: spread") << false << "x.x.."
                                  << "badce .x.x." << 1;
    QTest::newRow("empty list") << true << ""
                                << " " << -1;
}

void TestPhotoList::moves() {
    QFETCH(bool, up);
    QFETCH(QString, marks);
    QFETCH(QString, expected);
    QFETCH(int, current);
    const auto plan =
        up ? pelmora::planMoveUp(selection(marks)) : pelmora::planMoveDown(selection(marks));
    QCOMPARE(apply(plan, marks), expected);
    QCOMPARE(plan.current, current);
}

void TestPhotoList::sortedInsert_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("empty") << QStringList{} << "b.jpg" << 0;
    QTest::newRow("middle") << QStringList{"a.jpg", "c.jpg"} << "b.jpg" << 1;
    QTest::newRow("case does not matter") << QStringList{"A.jpg", "c.jpg"} << "B.JPG" << 1;
    QTest::newRow("lower before upper irrelevant") << QStringList{"b.jpg"} << "A.jpg" << 0;
    QTest::newRow("equal names go after") << QStringList{"a.jpg", "a.jpg"} << "A.JPG" << 2;
    QTest::newRow("end") << QStringList{"a", "b"} << "z" << 2;
}

void TestPhotoList::sortedInsert() {
    QFETCH(QStringList, names);
    QFETCH(QString, name);
    QFETCH(int, index);
    QCOMPARE(pelmora::sortedInsertIndex(
                 static_cast<int>(names.size()), [&](int i) { return names[i]; }, name),
             index);
}

void TestPhotoList::fitPreview_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("expected");
    // The frame is 285 x 279; 640 x 480 is 285 x 213.75 at top 32.625.
    QTest::newRow("landscape") << QSize(640, 480) << QRect(0, 33, 285, 214);
    QTest::newRow("portrait") << QSize(480, 640) << QRect(38, 0, 209, 279);
    QTest::newRow("square fills the height") << QSize(500, 500) << QRect(3, 0, 279, 279);
    QTest::newRow("large landscape") << QSize(3000, 2000) << QRect(0, 45, 285, 190);
    QTest::newRow("large portrait") << QSize(2000, 3000) << QRect(50, 0, 186, 279);
    QTest::newRow("wide but less than the frame overflows")
        << QSize(285, 284) << QRect(0, -3, 285, 284);
    QTest::newRow("tiny") << QSize(2, 1) << QRect(0, 68, 285, 143);
    QTest::newRow("empty") << QSize(0, 0) << QRect(143, 140, 0, 0);
}

void TestPhotoList::fitPreview() {
    QFETCH(QSize, picture);
    QFETCH(QRect, expected);
    QCOMPARE(pelmora::fitPreview(picture, QSize(285, 279)), expected);
}

QTEST_APPLESS_MAIN(TestPhotoList)
#include "tst_photolist.moc"
