#pragma once

#include <optional>

namespace pelmora {

// Runs a command-line command ("size", "convert", "--help", "--version") when the arguments
// name one. Nothing when the arguments are for the window (no arguments, or photo paths to open).
std::optional<int> runCommandLine(int argc, char **argv);

} // namespace pelmora
