#include "numbertext.h"

#include <QLocale>
#include <cmath>

namespace pelmora {

std::optional<double> readDecimalNumber(const QString &text) {
    const QString t = text.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    int digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> readWholeNumber(const QString &text, int min, int max) {
    const std::optional<double> value = readDecimalNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // the default rounding: half to even
    if (rounded < min || rounded > max)
        return std::nullopt;
    return static_cast<int>(rounded);
}

QString shortestDecimal(double value) {
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace pelmora
