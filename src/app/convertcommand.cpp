#include "convertcommand.h"

namespace pelmora {

int runConvertCommand(const QStringList &arguments)
{
    Q_UNUSED(arguments);
    return 2; // placeholder
}

QString convertCommandHelp()
{
    return QStringLiteral("convert: (to be written)\n");
}

} // namespace pelmora
