#pragma once

// Programs run from tests: the pelmora binary under test and the tools that make test files.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testsupport {

struct Run {
    int exitCode = -1; // -1: crashed or did not finish
    QString out;
    QString err;
};

// Runs a program to its end, or kills it after the timeout.
Run runProgram(const QString &program, const QStringList &arguments, int timeoutMs = 300000,
               const QString &workingDirectory = QString());

struct RunOptions {
    QString workingDirectory;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Whether this process's event loop runs while it waits, so that a window or a server of
    // this process can answer the program.
    bool serveEvents = false;
    int timeoutMs = 300000;
    QByteArray input; // written to the program's standard input, which is then closed
    // Standard error is a pseudo-terminal, as in a terminal window, instead of a pipe: what the
    // program writes there becomes Run::err, with the terminal's line ends ("\r\n").
    bool terminal = false;
};
Run runProgram(const QString &program, const QStringList &arguments, const RunOptions &options);

// A run's exit code and what it printed, for a failing test's message.
QString quotedErrors(const Run &run);

// The pelmora binary of this build.
QString app();
// Runs the pelmora binary of this build.
Run runPelmora(const QStringList &arguments, int timeoutMs = 300000);

// This process's environment with the fault injector (tests/support/faultinjector.cpp) loaded and
// the faults asked for set ("PELMORA_FAIL_RENAME_TO=/a.jpg").
QProcessEnvironment withFaults(const QStringList &faults);

// Whether a program is on the PATH.
bool have(const QString &program);

bool isRoot();
// Why this process cannot make a private mount namespace (needs root and unshare); empty when
// it can.
QString mountNamespaceUnavailable();

} // namespace testsupport
