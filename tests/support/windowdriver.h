#pragma once

// Helpers for driving the real window in tests: real drop events, real mouse and key events.

#include "mainwindow.h"
#include "photolistwidget.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QUrl>

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

} // namespace windowdriver
