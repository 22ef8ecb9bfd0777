// Window timings a user feels: dropping many paths on the list, and a press on a list entry until
// its preview shows. Run by hand, headless:
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench-window [PHOTO...]
//
// With no photo given it makes a 5120 x 2880 JPEG (and uses the corpus of bench/make-corpus.sh
// when /tmp/pelmora-corpus exists). Prints medians of several rounds.

#include "app/mainwindow.h"
#include "app/photolistwidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void drop(QWidget *viewport, const QStringList &paths) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls.append(QUrl::fromLocalFile(p));
    mime.setUrls(urls);
    const QPoint pos = viewport->rect().center();
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent event(QPointF(pos), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

QString makeLargePhoto(const QString &dir) {
    QImage image(5120, 2880, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 5120, 2880);
    g.setColorAt(0, QColor(30, 90, 160));
    g.setColorAt(1, QColor(220, 180, 60));
    p.fillRect(image.rect(), g);
    for (int i = 0; i < 400; ++i)
        p.fillRect(QRect((i * 397) % 5000, (i * 211) % 2800, 90, 60),
                   QColor::fromHsv(i % 360, 200, 220));
    p.end();
    const QString path = dir + "/large-5120x2880.jpg";
    image.save(path, "JPEG", 92);
    return path;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;

    // Dropping 10,000 paths on the empty list.
    QStringList paths;
    for (int i = 0; i < 10000; ++i)
        paths.append(QStringLiteral("/photos/trip/IMG_%1.jpg")
                         .arg((i * 7919) % 10000, 5, 10, QLatin1Char('0')));
    std::vector<double> dropMs;
    for (int round = 0; round < 5; ++round) {
        MainWindow window;
        window.show();
        auto *list = window.findChild<PhotoListWidget *>(QStringLiteral("List1"));
        QElapsedTimer t;
        t.start();
        drop(list->viewport(), paths);
        QCoreApplication::processEvents(); // the list lays out and paints
        dropMs.push_back(t.nsecsElapsed() / 1e6);
        if (list->count() != 10000)
            qFatal("the list holds %d entries", list->count());
    }
    std::printf("drop 10000 paths on the list: %.1f ms (median of 5)\n", median(dropMs));

    // A press on an entry until its preview shows.
    QStringList photos;
    for (int i = 1; i < argc; ++i)
        photos.append(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());
    if (photos.isEmpty()) {
        photos.append(makeLargePhoto(dir.path()));
        const QDir corpus(QStringLiteral("/tmp/pelmora-corpus"));
        for (const QString &name : corpus.entryList({QStringLiteral("large-*.jpg")}))
            photos.append(corpus.filePath(name));
    }
    MainWindow window;
    window.show();
    auto *list = window.findChild<PhotoListWidget *>(QStringLiteral("List1"));
    auto *preview = window.findChild<QLabel *>(QStringLiteral("oImg"));
    window.addPhotos(photos);
    for (int row = 0; row < list->count(); ++row) {
        std::vector<double> pressMs;
        for (int round = 0; round < 7; ++round) {
            preview->clear();
            const QPoint pos = list->visualItemRect(list->item(row)).center();
            QElapsedTimer t;
            t.start();
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, pos);
            preview->repaint(); // painted, as the user sees it
            pressMs.push_back(t.nsecsElapsed() / 1e6);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, pos);
            if (preview->pixmap().isNull())
                qFatal("no preview for %s", qPrintable(list->item(row)->text()));
        }
        std::printf("press to preview, %s: %.1f ms (median of 7)\n",
                    qPrintable(list->item(row)->text()), median(pressMs));
    }
    return 0;
}
