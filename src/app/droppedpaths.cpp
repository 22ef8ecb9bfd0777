#include "droppedpaths.h"

#include <QDragMoveEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QStringList droppedPaths(const QMimeData *mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    const QList<QUrl> urls = mime->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void acceptFileDrag(QDragMoveEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

QStringList absolutePaths(const QStringList &paths) {
    QStringList absolute;
    absolute.reserve(paths.size());
    for (const QString &p : paths)
        absolute.append(QFileInfo(p).absoluteFilePath());
    return absolute;
}
