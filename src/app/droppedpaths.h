#pragma once

#include <QStringList>

class QDragMoveEvent;
class QMimeData;

// The local files and folders a drop carries, as full paths in the order the drop lists them.
QStringList droppedPaths(const QMimeData *mime);

// Lets a drag in when it carries files or folders, as the photo list and the preview take them.
void acceptFileDrag(QDragMoveEvent *event);

// Paths given on the command line, made absolute as a drop delivers them.
QStringList absolutePaths(const QStringList &paths);
