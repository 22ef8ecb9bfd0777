#pragma once

// Helpers for driving the real window in tests: real drop events, real mouse and key events.

#include "app/mainwindow.h"
#include "app/photolistwidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

namespace windowdriver {

template <typename T = QWidget> T *child(MainWindow &window, const char *name) {
    T *w = window.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control named %s", name);
    return w;
}

inline PhotoListWidget *list(MainWindow &window) {
    return child<PhotoListWidget>(window, "List1");
}

inline QString text(MainWindow &window, const char *name) {
    return child<QLineEdit>(window, name)->text();
}

// Drops the paths on a widget as a file manager does: drag enter, drag move, drop, each as a
// real event carrying file URLs. Returns whether the drop was accepted.
inline bool dropPaths(QWidget *target, const QStringList &paths, QMimeData *mime = nullptr) {
    if (!mime) {
        mime = new QMimeData;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls.append(QUrl::fromLocalFile(p));
        mime->setUrls(urls);
    }
    QWidget *receiver = target;
    if (auto *view = qobject_cast<QAbstractScrollArea *>(target))
        receiver = view->viewport();
    const QPoint pos = receiver->rect().center();
    QDragEnterEvent enter(pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &move);
    QDropEvent drop(QPointF(pos), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &drop);
    delete mime;
    return drop.isAccepted();
}

// "name|folder" for every entry, in list order.
inline QStringList entries(MainWindow &window) {
    QStringList all;
    const PhotoListWidget *l = list(window);
    for (int row = 0; row < l->count(); ++row) {
        const pelmora::PhotoEntry e = l->entry(row);
        all.append(e.name + u'|' + e.folder);
    }
    return all;
}

// Creates empty files with the given names in dir; returns their full paths.
inline QStringList touch(const QString &dir, const QStringList &names) {
    QStringList paths;
    QDir().mkpath(dir);
    for (const QString &n : names) {
        const QString p = QDir(dir).filePath(n);
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot create %s", qPrintable(p));
        paths.append(p);
    }
    return paths;
}

// A mouse press and release on a list row, with the given button and modifiers.
inline void clickRow(PhotoListWidget *l, int row, Qt::MouseButton button = Qt::LeftButton,
                     Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPoint pos = l->visualItemRect(l->item(row)).center();
    QTest::mouseClick(l->viewport(), button, mods, pos);
}

// Makes the file at path the current photo as a user does: dropped on the list, then pressed.
inline void makeCurrent(MainWindow &window, const QString &path) {
    if (!dropPaths(list(window), {path}))
        qFatal("the drop of %s was refused", qPrintable(path));
    const QList<QListWidgetItem *> items =
        list(window)->findItems(QFileInfo(path).fileName(), Qt::MatchExactly);
    clickRow(list(window), list(window)->row(items.first()));
}

} // namespace windowdriver

namespace windowdriver {

// Answers the window's modal dialogs while a test runs: each message box is recorded and
// closed with OK (a question with `reply`); any other modal dialog is handed to `handler` (or
// rejected).
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<void(QDialog *)> handler = {})
        : m_handler(std::move(handler)) {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { answer(); });
        m_timer.start();
    }

    QStringList messages;
    QMessageBox::StandardButton reply = QMessageBox::No; // to a question
    struct BoxSeen {
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    QList<BoxSeen> boxes;

private:
    void answer() {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog == m_busy)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            messages.append(box->text());
            boxes.append(BoxSeen{box->windowTitle(), box->icon(), box->standardButtons()});
            if (QAbstractButton *button = box->button(reply))
                button->click();
            else
                box->accept();
        } else if (m_handler) {
            m_busy = dialog;
            m_handler(dialog);
            m_busy = nullptr;
        } else {
            dialog->reject();
        }
    }

    std::function<void(QDialog *)> m_handler;
    QDialog *m_busy = nullptr;
    QTimer m_timer;
};

// Waits until the window has shown the outcome of the conversion (or undo) it is running.
inline bool waitForConversion(MainWindow &window, int timeoutMs = 30000) {
    return QTest::qWaitFor([&] { return !window.isConverting(); }, timeoutMs);
}

} // namespace windowdriver

namespace windowdriver {

// Whether text drawn with the flags into `place` shows whole: less than one pixel's worth of its
// ink lands outside `place` or on one of the covered rectangles (`area`: where to look, in the
// same coordinates). A sliver of an antialiased edge is not clipping: the designed ".Suf" label
// loses that much of its f's hook.
inline bool showsWhole(const QFont &font, const QString &text, int flags, QRect area, QRect place,
                       const QList<QRect> &covered = {}) {
    constexpr int kMargin = 40;
    const QPoint origin = area.topLeft() - QPoint(kMargin, kMargin);
    QImage canvas(area.size() + QSize(2 * kMargin, 2 * kMargin),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.translate(-origin);
        painter.drawText(place, flags | Qt::TextDontClip, text);
    }
    int lost = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            const QPoint p = origin + QPoint(x, y);
            bool hidden = !place.contains(p);
            for (const QRect &r : covered)
                hidden = hidden || r.contains(p);
            if (hidden)
                lost += qAlpha(line[x]);
        }
    }
    return lost < 255;
}

// The controls whose caption does not show whole as the window lays it out, as "name: caption":
// a label's, a button's or the progress bar's text passing the control's edge (a button's, its
// bevel), a group box title passing its box or running under a check box set on its title line.
inline QStringList clippedCaptions(MainWindow &window) {
    QStringList clipped;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        QString text;
        bool whole = true;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            text = label->text();
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            whole = showsWhole(w->font(), text, flags, w->rect(), w->contentsRect());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            text = button->text();
            const QRect face = w->rect().adjusted(2, 2, -2, -2);
            whole = showsWhole(w->font(), text, Qt::AlignCenter, w->rect(), face);
        } else if (auto *bar = qobject_cast<QProgressBar *>(w)) {
            text = bar->isTextVisible() ? bar->text() : QString();
            whole = showsWhole(w->font(), text, Qt::AlignCenter, w->rect(), w->rect());
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            text = box->title();
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = text;
            option.textAlignment = box->alignment();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, box);
            QList<QRect> checks;
            for (const QCheckBox *check : window.findChildren<QCheckBox *>())
                checks.append(
                    QRect(box->mapFrom(&window, check->mapTo(&window, QPoint())), check->size()));
            whole = box->rect().contains(title) &&
                    showsWhole(w->font(), text, Qt::AlignLeft | Qt::AlignVCenter, w->rect(), title,
                               checks);
        }
        if (!whole)
            clipped.append(w->objectName() + QStringLiteral(": ") + text);
    }
    return clipped;
}

} // namespace windowdriver
