#include "app/droppedpaths.h"
#include "app/mainwindow.h"
#include "cli/commandline.h"
#include "picture/imagelimits.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    pelmora::keepPhotoBuffersForReuse();
    if (const std::optional<int> status = pelmora::runCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    MainWindow window;
    QStringList paths = app.arguments();
    paths.removeFirst();
    window.addPhotos(absolutePaths(paths));
    window.show();
    return app.exec();
}
