#include "process.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <pty.h>
#include <unistd.h>

namespace testsupport {

Run runProgram(const QString &program, const QStringList &arguments, int timeoutMs,
               const QString &workingDirectory) {
    RunOptions options;
    options.workingDirectory = workingDirectory;
    options.timeoutMs = timeoutMs;
    return runProgram(program, arguments, options);
}

namespace {

// The pseudo-terminal that a program's standard error goes to, read as the program writes.
class Terminal {
public:
    Terminal() {
        if (::openpty(&m_main, &m_other, nullptr, nullptr, nullptr) != 0)
            m_main = m_other = -1;
        else
            ::fcntl(m_main, F_SETFL, ::fcntl(m_main, F_GETFL) | O_NONBLOCK);
    }
    ~Terminal() {
        closeOther();
        if (m_main >= 0)
            ::close(m_main);
    }
    Terminal(const Terminal &) = delete;
    Terminal &operator=(const Terminal &) = delete;

    bool isOpen() const { return m_main >= 0; }
    // In the child, between fork and exec: standard error becomes the terminal.
    void becomeStandardError() const { ::dup2(m_other, STDERR_FILENO); }
    // Once the child has its copy: so the terminal closes when the child ends.
    void closeOther() {
        if (m_other >= 0)
            ::close(m_other);
        m_other = -1;
    }
    void drain() {
        char block[4096];
        ssize_t got;
        while ((got = ::read(m_main, block, sizeof block)) > 0 || (got < 0 && errno == EINTR)) {
            if (got > 0)
                m_written.append(block, got);
        }
    }
    const QByteArray &written() const { return m_written; }

private:
    int m_main = -1;
    int m_other = -1;
    QByteArray m_written;
};

} // namespace

Run runProgram(const QString &program, const QStringList &arguments, const RunOptions &options) {
    QProcess process;
    process.setWorkingDirectory(options.workingDirectory);
    process.setProcessEnvironment(options.environment);
    std::optional<Terminal> terminal;
    if (options.terminal) {
        terminal.emplace();
        if (!terminal->isOpen())
            return {-1, {}, QStringLiteral("no pseudo-terminal could be opened")};
        process.setChildProcessModifier([&terminal] { terminal->becomeStandardError(); });
    }
    process.start(program, arguments);
    if (!options.input.isEmpty())
        process.write(options.input);
    process.closeWriteChannel();
    if (terminal)
        terminal->closeOther();
    const auto ended = [&] { return process.state() == QProcess::NotRunning; };
    bool finished = false;
    if (terminal) {
        // A terminal holds only so much unread: read it while the program runs.
        const QDeadlineTimer deadline(options.timeoutMs);
        while (!finished && !deadline.hasExpired()) {
            finished = options.serveEvents ? QTest::qWaitFor(ended, 20)
                                           : process.waitForFinished(20) || ended();
            terminal->drain();
        }
    } else {
        finished = options.serveEvents ? QTest::qWaitFor(ended, options.timeoutMs)
                                       : process.waitForFinished(options.timeoutMs);
    }
    if (process.error() == QProcess::FailedToStart)
        return {-1, {}, process.errorString()};
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    if (terminal)
        terminal->drain();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(terminal ? terminal->written() : process.readAllStandardError())};
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

QString quotedErrors(const Run &run) {
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3")
        .arg(run.exitCode)
        .arg(run.out, run.err);
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
