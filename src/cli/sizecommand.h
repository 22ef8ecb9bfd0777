#pragma once

#include <QString>
#include <QStringList>

namespace pelmora {

// `pelmora size FILE...`: prints each file's size as the window's size display shows it.
int runSizeCommand(const QStringList &arguments);
QString sizeCommandHelp();

} // namespace pelmora
