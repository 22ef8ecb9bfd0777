#include "targetname.h"

#include "numbertext.h"

namespace pelmora {

QString extensionWithDot(const QString &fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot);
}

QString targetName(const NamePattern &pattern, const QString &sourceName) {
    if (!pattern.extension.isEmpty())
        return pattern.title + pattern.number + u'.' + pattern.extension;
    return pattern.title + pattern.number + extensionWithDot(sourceName);
}

QString previewName(const NamePattern &pattern, const QString &sourceName) {
    if (pattern.title.isEmpty())
        return QString();
    return targetName(pattern, sourceName);
}

QString advanceNumber(const QString &number) {
    const std::optional<int> current = readWholeNumber(number);
    const int next = (current && *current < kWholeNumberMax) ? *current + 1 : 0;
    if (next < 10)
        return QStringLiteral("0") + QString::number(next);
    return QString::number(next);
}

} // namespace pelmora
