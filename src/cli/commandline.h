#pragma once

#include <QStringList>
#include <optional>

namespace pelmora {

// What the program's arguments asked for.
struct CommandLineOutcome {
    std::optional<int> exitStatus; // a command ran, or the arguments were wrong: exit with it
    QStringList windowPhotos;      // otherwise the window opens with these, full paths
};

// Runs a command-line command ("convert", "size", "undo", "--help", "--version") when the
// arguments name one. Otherwise the arguments are the window's, `[--] FILE...`: an unknown
// option or a word that names no file is a usage error (status 2, said in one line on standard
// error with a pointer to --help), and the window is not opened.
CommandLineOutcome runCommandLine(int argc, char **argv);

} // namespace pelmora
