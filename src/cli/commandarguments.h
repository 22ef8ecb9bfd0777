#pragma once

#include <QList>
#include <QStringList>

namespace pelmora {

// A command's arguments as typed, decoded as UTF-8. Qt names files in UTF-8, so a file name
// whose bytes are no valid UTF-8 cannot be opened through it: such arguments are marked.
struct CommandArguments {
    QStringList texts;
    QList<bool> notUtf8; // one per text
};

CommandArguments decodeArguments(const char *const *begin, const char *const *end);

} // namespace pelmora
