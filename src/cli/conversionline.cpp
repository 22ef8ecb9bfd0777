#include "conversionline.h"

namespace pelmora {

QString conversionLine(const QString &from, const QString &to) {
    return from + QStringLiteral(" \u2192 ") + to;
}

} // namespace pelmora
