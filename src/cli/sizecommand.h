#pragma once

#include <QString>
#include <QStringList>

namespace pelmora {

// `pelmora size [--format FMT | --json] FILE...`: prints each file's size as the window's size
// display shows it, or in a form for scripts.
int runSizeCommand(const QStringList &arguments);
QString sizeCommandHelp();

} // namespace pelmora
