// The list holds at most 32767 photos: a drop that brings more adds as many as fit and tells the
// user, in one message, how many were left out.

#include "windowdriver.h"

#include <QTemporaryDir>

using namespace windowdriver;

namespace {

QStringList photoPaths(const QString &folder, int first, int count) {
    QStringList paths;
    paths.reserve(count);
    for (int i = first; i < first + count; ++i)
        paths.append(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
    return paths;
}

} // namespace

class TestListLimit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dropBeyondTheLimit_data();
    void dropBeyondTheLimit();
};

void TestListLimit::dropBeyondTheLimit_data() {
    QTest::addColumn<int>("alreadyListed");
    QTest::addColumn<int>("dropped");
    QTest::newRow("33000 on an empty list") << 0 << 33000;
    QTest::newRow("10 on a full list") << PhotoListWidget::kMaxEntries << 10;
    QTest::newRow("exactly filling the list") << 32760 << 7;
    QTest::newRow("one too many") << 32760 << 8;
}

void TestListLimit::dropBeyondTheLimit() {
    QFETCH(int, alreadyListed);
    QFETCH(int, dropped);

    QTemporaryDir dir;
    MainWindow window;
    window.show();
    ModalAnswerer answerer;
    const QString listedFolder = dir.filePath(QStringLiteral("listed"));
    if (alreadyListed > 0) {
        QVERIFY(dropPaths(list(window), photoPaths(listedFolder, 0, alreadyListed)));
        QCOMPARE(list(window)->count(), alreadyListed);
        QCOMPARE(answerer.messages, QStringList());
    }

    const QString droppedFolder = dir.filePath(QStringLiteral("dropped"));
    QVERIFY(dropPaths(list(window), photoPaths(droppedFolder, 0, dropped)));
    QTRY_COMPARE(answerer.messages.size(), alreadyListed + dropped > 32767 ? 1 : 0);

    const int fitting = std::min(dropped, PhotoListWidget::kMaxEntries - alreadyListed);
    const int left = dropped - fitting;
    QCOMPARE(list(window)->count(), alreadyListed + fitting);
    if (left > 0) {
        const QString message = answerer.messages.first();
        QVERIFY2(message.contains(QString::number(left)), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("32767")), qPrintable(message));
    }

    // The first paths of the drop are the ones added, each with its own folder.
    const PhotoListWidget *l = list(window);
    int fromDrop = 0;
    QString lastDropped;
    for (int row = 0; row < l->count(); ++row) {
        const pelmora::PhotoEntry e = l->entry(row);
        if (e.folder == droppedFolder + u'/') {
            ++fromDrop;
            lastDropped = std::max(lastDropped, e.name);
        } else {
            QCOMPARE(e.folder, listedFolder + u'/');
        }
    }
    QCOMPARE(fromDrop, fitting);
    if (fitting > 0)
        QCOMPARE(lastDropped,
                 QStringLiteral("IMG_%1.jpg").arg(fitting - 1, 5, 10, QLatin1Char('0')));

    // The window goes on working: the last entry can be chosen as the current photo.
    clickRow(list(window), l->count() - 1);
    QCOMPARE(l->currentRow(), l->count() - 1);
}

QTEST_MAIN(TestListLimit)
#include "tst_listlimit.moc"
