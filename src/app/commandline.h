#pragma once

#include <QStringList>
#include <optional>

namespace pelmora {

// Runs a command-line command ("size", "convert", "--help") when the arguments name one.
// Nothing when the arguments are for the window (no arguments, or photo paths to open).
std::optional<int> runCommandLine(int argc, char **argv);

// Paths given on the command line, made absolute as a drop delivers them.
QStringList absolutePaths(const QStringList &paths);

} // namespace pelmora
