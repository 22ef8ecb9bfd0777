#include "process.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <unistd.h>

namespace testsupport {

Run runProgram(const QString &program, const QStringList &arguments, int timeoutMs,
               const QString &workingDirectory) {
    RunOptions options;
    options.workingDirectory = workingDirectory;
    options.timeoutMs = timeoutMs;
    return runProgram(program, arguments, options);
}

Run runProgram(const QString &program, const QStringList &arguments, const RunOptions &options) {
    QProcess process;
    process.setWorkingDirectory(options.workingDirectory);
    process.setProcessEnvironment(options.environment);
    process.start(program, arguments);
    if (!options.input.isEmpty())
        process.write(options.input);
    process.closeWriteChannel();
    const bool finished =
        options.serveEvents
            ? QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; },
                              options.timeoutMs)
            : process.waitForFinished(options.timeoutMs);
    if (process.error() == QProcess::FailedToStart)
        return {-1, {}, process.errorString()};
    if (!finished) {
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

QProcessEnvironment withFaults(const QStringList &faults) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"), qEnvironmentVariable("PELMORA_FAULTS"));
    for (const QString &fault : faults)
        environment.insert(fault.section(u'=', 0, 0), fault.section(u'=', 1));
    return environment;
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
