#include "commandline.h"
#include "convert/imagelimits.h"
#include "mainwindow.h"

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
    window.addPhotos(pelmora::absolutePaths(paths));
    window.show();
    return app.exec();
}
