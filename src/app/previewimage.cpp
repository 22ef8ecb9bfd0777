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
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void PreviewImage::dragMoveEvent(QDragMoveEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
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
