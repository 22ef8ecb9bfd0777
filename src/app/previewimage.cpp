#include "previewimage.h"

#include "droppedpaths.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

PreviewImage::PreviewImage(QWidget *parent)
    : QLabel(parent) {
    setAcceptDrops(true);
    setScaledContents(true);
}

void PreviewImage::dragEnterEvent(QDragEnterEvent *event) {
    acceptFileDrag(event);
}

void PreviewImage::dragMoveEvent(QDragMoveEvent *event) {
    acceptFileDrag(event);
}

void PreviewImage::dropEvent(QDropEvent *event) {
    const QStringList paths = droppedPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT pathsDropped(paths);
}
