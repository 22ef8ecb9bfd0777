#include "quitonsignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int) {
    const char byte = 1;
    (void)!::write(signalPipe[0], &byte, 1); // all a signal handler may do: wake the event loop
}

} // namespace

void quitOnSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto *notifier =
        new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        (void)!::read(signalPipe[1], &byte, 1);
        QCoreApplication::quit();
    });
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, onQuitSignal);
}
