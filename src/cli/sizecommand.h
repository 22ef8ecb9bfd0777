#pragma once

#include "cli/commandarguments.h"

#include <QString>

namespace pelmora {

// `pelmora size [--format FMT | --json] FILE...`: prints each file's size as the window's size
// display shows it, or in a form for scripts.
int runSizeCommand(const CommandArguments &arguments);
QString sizeCommandHelp();

} // namespace pelmora
