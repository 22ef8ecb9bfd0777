#include "app/droppedpaths.h"
#include "app/handedoverphotos.h"
#include "app/mainwindow.h"
#include "app/quitonsignal.h"
#include "app/singleinstance.h"
#include "app/windowapplication.h"
#include "cli/commandline.h"
#include "picture/imagelimits.h"

int main(int argc, char *argv[]) {
    pelmora::keepPhotoBuffersForReuse();
    if (const std::optional<int> status = pelmora::runCommandLine(argc, argv))
        return *status;

    const std::unique_ptr<QApplication> app = startWindowApplication(argc, argv);
    QStringList paths = QApplication::arguments();
    paths.removeFirst();
    if (!paths.isEmpty() && paths.first() == u"--") // every argument after it is a photo
        paths.removeFirst();
    paths = absolutePaths(paths);
    SingleInstance instance;
    if (instance.handOver(paths))
        return 0;

    MainWindow window;
    receiveHandedOverPhotos(instance, window);
    window.addPhotos(paths);
    window.show();
    quitOnSignals();
    return app->exec();
}
