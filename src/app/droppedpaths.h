#pragma once

#include <QStringList>

class QMimeData;

// The local files and folders a drop carries, as full paths in the order the drop lists them.
QStringList droppedPaths(const QMimeData *mime);
