#include "wholenumberargument.h"

#include <QRegularExpression>

namespace pelmora {

std::optional<int> readWholeNumberArgument(const QString &text, int min, int max) {
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]{1,9}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const int value = text.toInt();
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

} // namespace pelmora
