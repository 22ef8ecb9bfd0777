#include "windowarguments.h"

#include <QFileInfo>

namespace pelmora {

WindowArguments readWindowArguments(const CommandArguments &arguments) {
    WindowArguments read;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < arguments.texts.size(); ++i) {
        const QString &argument = arguments.texts[i];
        if (!optionsEnd && argument == u"--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && argument.startsWith(u'-')) {
            read.usageError = QStringLiteral("unknown option %1").arg(argument);
            return read;
        }
        if (arguments.notUtf8[i]) {
            read.usageError =
                QStringLiteral("%1: the name is not valid UTF-8, so pelmora cannot open it")
                    .arg(argument);
            return read;
        }
        const QFileInfo file(argument);
        if (!file.exists()) {
            read.usageError =
                optionsEnd ? QStringLiteral("%1: no such file").arg(argument)
                           : QStringLiteral("%1: no such file, nor a command (convert, size, undo)")
                                 .arg(argument);
            return read;
        }
        read.photos.append(file.absoluteFilePath());
    }
    return read;
}

} // namespace pelmora
