#pragma once

#include <QString>
#include <QStringList>

namespace pelmora {

// `pelmora convert [OPTIONS] FILE...`: the batch conversion without the window.
int runConvertCommand(const QStringList &arguments);
QString convertCommandHelp();

} // namespace pelmora
