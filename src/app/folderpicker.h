#pragma once

#include <QString>

class QWidget;

// Lets the user pick a folder, starting at `start` when it names one. The chosen folder's full
// path, or an empty text when the user cancels.
QString BrowseForFolder(QWidget *owner, const QString &title, const QString &start);
