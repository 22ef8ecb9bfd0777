#include "commandline.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = pelmora::runCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    MainWindow window;
    QStringList paths = app.arguments();
    paths.removeFirst();
    window.addPhotos(paths);
    window.show();
    return app.exec();
}
