// The window keeps answering while a batch of 100 photos is converted: a timer on the window's
// event loop records the longest gap between its ticks. The gap is reported, not asserted
// (times belong to benchmarks); what is asserted is that the batch ran in the background while
// the event loop turned, and that it converted every photo.

#include "files.h"
#include "photos.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTemporaryDir>

using namespace windowdriver;

class TestResponsiveness : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eventLoopTurnsDuringBatch();
};

void TestResponsiveness::eventLoopTurnsDuringBatch() {
    QTemporaryDir dir;
    const QStringList photos =
        testsupport::writeNumbered(dir.path() + "/in", 100, QSize(1600, 1200));
    MainWindow window;
    window.show();
    dropPaths(list(window), photos);
    QTest::mouseClick(child(window, "CkResize"), Qt::LeftButton);
    child<QLineEdit>(window, "OutFolder")->setText(dir.path() + "/out");

    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    int ticks = 0;
    QTimer probe;
    probe.setInterval(5);
    connect(&probe, &QTimer::timeout, this, [&] {
        const qint64 now = clock.nsecsElapsed();
        worst = std::max(worst, now - last);
        last = now;
        ++ticks;
    });
    int progressSeen = 0;
    connect(child<QProgressBar>(window, "PBar1"), &QProgressBar::valueChanged, this,
            [&] { ++progressSeen; });

    clock.start();
    probe.start();
    QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
    const qint64 clickDone = clock.nsecsElapsed();
    QVERIFY(window.isConverting()); // the click returned while the batch goes on
    QVERIFY(waitForConversion(window, 120000));
    probe.stop();
    const double total = clock.nsecsElapsed() / 1e6;

    qInfo("100-photo batch: %.0f ms, click handler %.1f ms, %d timer ticks, worst event-loop gap "
          "%.1f ms",
          total, clickDone / 1e6, ticks, worst / 1e6);
    QCOMPARE(testsupport::files(dir.path() + "/out").size(), 100);
    QCOMPARE(list(window)->count(), 0);
    QCOMPARE(progressSeen, 99);
    QVERIFY(ticks > 1);
}

QTEST_MAIN(TestResponsiveness)
#include "tst_responsiveness.moc"
