#pragma once

#include "cli/commandarguments.h"

#include <QString>
#include <QStringList>

namespace pelmora {

// The arguments of `pelmora [--] FILE...`, which opens the window with the files on its list.
struct WindowArguments {
    QStringList photos; // full paths, in the order given
    QString usageError; // empty when the arguments are sound
};

// Every argument names a file or folder that exists; an argument starting with "-" is an
// option, and the window takes none, unless it comes after "--", where every argument is a
// file. So a mistyped command or option (`pelmora --verion`, `pelmora frobnicate`) is said so
// instead of landing on the list.
WindowArguments readWindowArguments(const CommandArguments &arguments);

} // namespace pelmora
