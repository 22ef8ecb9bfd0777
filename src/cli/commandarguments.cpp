#include "commandarguments.h"

#include <QByteArray>

namespace pelmora {

CommandArguments decodeArguments(const char *const *begin, const char *const *end) {
    CommandArguments arguments;
    for (const char *const *arg = begin; arg != end; ++arg) {
        const QByteArray bytes(*arg);
        const QString text = QString::fromUtf8(bytes);
        arguments.texts.append(text);
        arguments.notUtf8.append(text.toUtf8() != bytes);
    }
    return arguments;
}

} // namespace pelmora
