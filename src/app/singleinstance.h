#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>

// One window per user: the first start listens on a local socket in the user's runtime folder,
// and a later start hands its photo paths to that window instead of opening a second one.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The per-user socket: "pelmora.socket" in the user's runtime folder; empty without one.
    static QString defaultSocketPath();

    explicit SingleInstance(QString socketPath = defaultSocketPath(), QObject *parent = nullptr);

    // Hands the paths to the window already running and returns true once it has taken them.
    // Otherwise returns false; this process then listens for the later starts (removing the
    // socket a crashed window left behind), unless a running window did not answer. A window
    // of another user gets nothing, and standard error says why this start opens its own.
    bool handOver(const QStringList &paths);

Q_SIGNALS:
    // The paths a later start handed over: full paths in its order, as a drop delivers them.
    void pathsHandedOver(const QStringList &paths);

private:
    void acceptConnections();

    QString m_socketPath;
    QLocalServer m_server;
};
