#include "singleinstance.h"

#include "result/result.h"

#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kAnswerTimeoutMs = 10000;
// The window's answer once it has taken the paths.
constexpr char kTaken = 'T';

// The paths as UTF-8, each ended by a NUL (which no path contains); one more NUL ends the
// message. A path that is empty names nothing and is left out, as a drop leaves it out.
QByteArray pathsMessage(const QStringList &paths) {
    QByteArray message;
    for (const QString &path : paths) {
        if (!path.isEmpty())
            message += path.toUtf8() + '\0';
    }
    return message + '\0';
}

bool isWholeMessage(const QByteArray &received) {
    return received == QByteArrayView("\0", 1) || received.endsWith(QByteArrayView("\0\0", 2));
}

QStringList messagePaths(const QByteArray &message) {
    QStringList paths;
    for (const QByteArray &path : message.split('\0')) {
        if (!path.isEmpty())
            paths.append(QString::fromUtf8(path));
    }
    return paths;
}

// The paths go only to a window of this user: a socket in this user's runtime folder can still be
// another user's (root's window, started with this user's environment). The kernel gives the
// user the listener ran as when it began listening.
pelmora::Status listenerIsThisUser(const QLocalSocket &socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return pelmora::failure(QStringLiteral("the window listening on %1 does not say which "
                                               "user it runs as")
                                    .arg(socket.fullServerName()));
    if (peer.uid != ::geteuid())
        return pelmora::failure(QStringLiteral("the window listening on %1 runs as another user "
                                               "(uid %2)")
                                    .arg(socket.fullServerName())
                                    .arg(peer.uid));
    return {};
}

} // namespace

QString SingleInstance::defaultSocketPath() {
    // Empty when the user has no private runtime folder (Qt refuses one that others can enter).
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/pelmora.socket");
}

SingleInstance::SingleInstance(QString socketPath, QObject *parent)
    : QObject(parent)
    , m_socketPath(std::move(socketPath)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

bool SingleInstance::handOver(const QStringList &paths) {
    if (m_socketPath.isEmpty())
        return false; // nowhere private to meet: every start opens a window of its own
    // Two starts at the same moment (two photos opened one after the other in a file manager)
    // must not both find no window and both listen; a lock left by a crash is taken over.
    QLockFile lock(m_socketPath + QStringLiteral(".lock"));
    lock.tryLock(kAnswerTimeoutMs);

    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (socket.waitForConnected(kAnswerTimeoutMs)) {
        if (const pelmora::Status ours = listenerIsThisUser(socket); !ours) {
            // Its socket stays: it is not ours to remove, so this window does not listen.
            std::fprintf(stderr, "pelmora: %s; opening a window of its own\n",
                         qPrintable(ours.reason()));
            return false;
        }
        socket.write(pathsMessage(paths));
        return socket.waitForBytesWritten(kAnswerTimeoutMs) &&
               socket.waitForReadyRead(kAnswerTimeoutMs) && socket.read(1) == QByteArray(1, kTaken);
    }
    // Nobody listens on a socket a crashed window left behind.
    if (socket.error() == QLocalSocket::ConnectionRefusedError)
        QLocalServer::removeServer(m_socketPath);
    m_server.listen(m_socketPath);
    return false;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<QByteArray>();
        const auto readMore = [this, socket, received] {
            received->append(socket->readAll());
            if (!isWholeMessage(*received))
                return; // the rest is still on its way
            // Answered before the paths are added: adding them may open a message box, and the
            // later start need not wait for the user to close it.
            socket->write(QByteArray(1, kTaken));
            socket->flush();
            socket->disconnectFromServer();
            Q_EMIT pathsHandedOver(messagePaths(*received));
        };
        connect(socket, &QLocalSocket::readyRead, this, readMore);
        readMore();
    }
}
