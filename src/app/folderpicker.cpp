#include "folderpicker.h"

#include <QDir>
#include <QFileDialog>

QString BrowseForFolder(QWidget *owner, const QString &title, const QString &start) {
    const QString from = (!start.isEmpty() && QDir(start).exists()) ? start : QString();
    const QString chosen =
        QFileDialog::getExistingDirectory(owner, title, from, QFileDialog::ShowDirsOnly);
    return QDir::toNativeSeparators(chosen);
}
