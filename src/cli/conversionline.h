#pragma once

#include <QString>

namespace pelmora {

// One photo's line in a list of what a conversion does or did: "OLD → NEW", the photo's path
// and the path of the file it becomes.
QString conversionLine(const QString &from, const QString &to);

} // namespace pelmora
