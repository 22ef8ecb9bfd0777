#pragma once

#include "photolist/photoentry.h"

#include <QListWidget>

// The photo list: one item per photo, showing its file name and carrying its folder, so the
// folder follows its entry through every insert, delete and move.
class PhotoListWidget : public QListWidget {
    Q_OBJECT

public:
    // The most entries the list holds.
    static constexpr int kMaxEntries = 32767;

    explicit PhotoListWidget(QWidget *parent = nullptr);

    pelmora::PhotoEntry entry(int row) const;
    QList<pelmora::PhotoEntry> entries() const;

    // Adds each path at its name's place in case-insensitive order; returns how many paths
    // did not fit into the list.
    int addPaths(const QStringList &paths);

    // Puts an entry at an exact row, whatever the name order.
    void insertEntry(int row, const pelmora::PhotoEntry &entry);

    // Makes the list `entries`, which holds the entries listed now in their order with others
    // among them: those others are inserted, the entries listed keep their items and selection.
    // Returns how many did not fit into the list.
    int insertAmong(const QList<pelmora::PhotoEntry> &entries);

Q_SIGNALS:
    // Paths dropped on the list, in the order the drop lists them.
    void pathsDropped(const QStringList &paths);
    // A mouse press with any button but the right one, after the press moved the current row.
    void entryPressed();
    // A right-button press: the list's menu should open at this global position.
    void menuRequested(const QPoint &globalPos);
    // The Delete key, with any modifiers.
    void deletePressed();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};
