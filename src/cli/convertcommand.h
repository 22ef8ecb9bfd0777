#pragma once

#include "cli/commandarguments.h"

#include <QString>

namespace pelmora {

// `pelmora convert [OPTIONS] FILE...`: the batch conversion without the window.
int runConvertCommand(const CommandArguments &arguments);
QString convertCommandHelp();

} // namespace pelmora
