#include "photolistwidget.h"

#include "droppedpaths.h"
#include "photolist/sortedinsert.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace {
constexpr int kFolderRole = Qt::UserRole;
}

PhotoListWidget::PhotoListWidget(QWidget *parent)
    : QListWidget(parent) {
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
}

pelmora::PhotoEntry PhotoListWidget::entry(int row) const {
    const QListWidgetItem *it = item(row);
    if (!it)
        return {};
    return pelmora::PhotoEntry{it->data(kFolderRole).toString(), it->text()};
}

QList<pelmora::PhotoEntry> PhotoListWidget::entries() const {
    QList<pelmora::PhotoEntry> all;
    all.reserve(count());
    for (int row = 0; row < count(); ++row)
        all.append(entry(row));
    return all;
}

int PhotoListWidget::addPaths(const QStringList &paths) {
    const int room = kMaxEntries - count();
    const int fitting = std::min<int>(room, static_cast<int>(paths.size()));
    setUpdatesEnabled(false);
    for (int i = 0; i < fitting; ++i) {
        const pelmora::PhotoEntry e = pelmora::splitPath(paths[i]);
        const int row = pelmora::sortedInsertIndex(
            count(), [this](int r) { return item(r)->text(); }, e.name);
        insertEntry(row, e);
    }
    setUpdatesEnabled(true);
    return static_cast<int>(paths.size()) - fitting;
}

void PhotoListWidget::insertEntry(int row, const pelmora::PhotoEntry &e) {
    auto *it = new QListWidgetItem(e.name);
    it->setData(kFolderRole, e.folder);
    insertItem(row, it);
}

int PhotoListWidget::insertAmong(const QList<pelmora::PhotoEntry> &entries) {
    setUpdatesEnabled(false);
    int row = 0;
    int left = 0;
    for (const pelmora::PhotoEntry &e : entries) {
        if (row < count() && entry(row) == e)
            ++row;
        else if (count() < kMaxEntries)
            insertEntry(row++, e);
        else
            ++left;
    }
    setUpdatesEnabled(true);
    return left;
}

void PhotoListWidget::dragEnterEvent(QDragEnterEvent *event) {
    acceptFileDrag(event);
}

void PhotoListWidget::dragMoveEvent(QDragMoveEvent *event) {
    acceptFileDrag(event);
}

void PhotoListWidget::dropEvent(QDropEvent *event) {
    const QStringList paths = droppedPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT pathsDropped(paths);
}

void PhotoListWidget::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton) {
        Q_EMIT menuRequested(event->globalPosition().toPoint());
        return; // a right press changes nothing else, not even the current entry
    }
    QListWidget::mousePressEvent(event);
    Q_EMIT entryPressed();
}

void PhotoListWidget::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Delete) {
        Q_EMIT deletePressed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void PhotoListWidget::contextMenuEvent(QContextMenuEvent *event) {
    // The right press has opened the menu already; the keyboard's menu key opens it here.
    if (event->reason() != QContextMenuEvent::Mouse)
        Q_EMIT menuRequested(event->globalPos());
}
