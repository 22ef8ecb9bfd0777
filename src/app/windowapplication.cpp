#include "windowapplication.h"

#include <QDirIterator>
#include <QIcon>
#include <QList>
#include <cstdio>
#include <cstdlib>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

// While the application starts: the platform's messages are held back, to be shown only if
// the start succeeds; a fatal one means that no platform could open a display.
void holdPlatformMessages(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtFatalMsg) {
        std::fputs("pelmora: the window needs a display and none could be opened; "
                   "`pelmora convert` works without one (see pelmora --help)\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (context.category && qstrncmp(context.category, "qt.qpa", 6) == 0) {
        heldMessages.append({type, context.category, text});
        return;
    }
    previousHandler(type, context, text);
}

// Every size of the icon that the resources hold.
QIcon programIcon() {
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"));
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

} // namespace

std::unique_ptr<QApplication> startWindowApplication(int &argc, char **argv) {
    previousHandler = qInstallMessageHandler(holdPlatformMessages);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &message : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        previousHandler(message.type, context, message.text);
    }
    heldMessages.clear();

    QApplication::setApplicationName(QStringLiteral("pelmora"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(programIcon());
    QApplication::setDesktopFileName(QStringLiteral("io.github.pelmora.Pelmora"));
    return app;
}
