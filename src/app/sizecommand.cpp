#include "sizecommand.h"

namespace pelmora {

int runSizeCommand(const QStringList &arguments)
{
    Q_UNUSED(arguments);
    return 2; // placeholder
}

QString sizeCommandHelp()
{
    return QStringLiteral("size: (to be written)\n");
}

} // namespace pelmora
