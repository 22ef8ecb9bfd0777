#include "handedoverphotos.h"

#include "mainwindow.h"
#include "singleinstance.h"

namespace {

void addWhenIdle(MainWindow &window, const QStringList &paths) {
    if (!window.isConverting()) {
        window.addPhotos(paths);
        return;
    }
    QObject::connect(
        &window, &MainWindow::conversionFinished, &window,
        [&window, paths] { addWhenIdle(window, paths); }, Qt::SingleShotConnection);
}

} // namespace

void receiveHandedOverPhotos(const SingleInstance &instance, MainWindow &window) {
    QObject::connect(&instance, &SingleInstance::pathsHandedOver, &window,
                     [&window](const QStringList &paths) {
                         addWhenIdle(window, paths);
                         window.raise();
                         window.activateWindow();
                     });
}
