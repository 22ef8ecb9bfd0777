#include "process.h"

#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

namespace testsupport {

Run runProgram(const QString &program, const QStringList &arguments, int timeoutMs,
               const QString &workingDirectory) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString app() {
    return qEnvironmentVariable("PELMORA_APP");
}

Run runPelmora(const QStringList &arguments, int timeoutMs) {
    return runProgram(app(), arguments, timeoutMs);
}

bool have(const QString &program) {
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool isRoot() {
    return geteuid() == 0;
}

QString mountNamespaceUnavailable() {
    if (!isRoot())
        return QStringLiteral("needs root for a private mount namespace");
    const Run probe = runProgram(QStringLiteral("unshare"),
                                 {QStringLiteral("-m"), QStringLiteral("true")}, 30000);
    if (probe.exitCode != 0)
        return QStringLiteral("unshare -m does not work here: ") + probe.err.trimmed();
    return {};
}

} // namespace testsupport
