#include "resizesettings.h"

#include "naming/numbertext.h"
#include "picture/imagelimits.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace pelmora {

namespace {

// Beyond this the font engine is asked for glyphs larger than any photo; treat it as unreadable.
constexpr double kLargestPointSize = 10000.0;

bool usableSize(double points) {
    return points > 0 && points <= kLargestPointSize;
}

} // namespace

Result<int> readLongerSide(const QString &text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return 0;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const int pixels = digits.match(typed).hasMatch() ? typed.toInt() : 0;
    if (pixels < 1 || pixels > kLargestLongerSide)
        return failure(QCoreApplication::translate(
                           "pelmora", "the longer side \"%1\" is not a whole number of pixels "
                                      "from 1 to %2")
                           .arg(text)
                           .arg(kLargestLongerSide));
    return pixels;
}

double signaturePointSize(const SignatureStyle &style) {
    const std::optional<double> typed = readDecimalNumber(style.pointSizeText);
    if (typed && usableSize(*typed))
        return *typed;
    return usableSize(style.fallbackPointSize) ? style.fallbackPointSize : 9.0;
}

Result<ResizeOptions> resizeOptions(const ResizeSettings &settings) {
    const Result<int> longerSide = readLongerSide(settings.longerSide);
    if (!longerSide)
        return failure(longerSide.reason());
    if (settings.quality < 1 || settings.quality > 10)
        return failure(QCoreApplication::translate("pelmora", "the quality must be 1 to 10, not %1")
                           .arg(settings.quality));
    ResizeOptions options;
    options.longerSide = *longerSide;
    options.jpegQuality = settings.quality * 10;
    const SignatureStyle &style = settings.signature;
    options.signature = {style.text, style.family, signaturePointSize(style), style.color};
    options.metadata = settings.metadata;
    return options;
}

} // namespace pelmora
