#include "app/handedoverphotos.h"
#include "app/mainwindow.h"
#include "app/quitonsignal.h"
#include "app/singleinstance.h"
#include "app/windowapplication.h"
#include "cli/commandline.h"
#include "picture/imagelimits.h"

int main(int argc, char *argv[]) {
    pelmora::keepPhotoBuffersForReuse();
    const pelmora::CommandLineOutcome outcome = pelmora::runCommandLine(argc, argv);
    if (outcome.exitStatus)
        return *outcome.exitStatus;

    // Every argument was read as a photo above; Qt would take some as its own (-reverse, -style).
    int qtArgc = 1;
    const std::unique_ptr<QApplication> app = startWindowApplication(qtArgc, argv);
    SingleInstance instance;
    if (instance.handOver(outcome.windowPhotos))
        return 0;

    MainWindow window;
    receiveHandedOverPhotos(instance, window);
    window.addPhotos(outcome.windowPhotos);
    window.show();
    quitOnSignals();
    return app->exec();
}
