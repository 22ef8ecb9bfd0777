#include "droppedpaths.h"

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
