#include "signature.h"

#include "naming/numbertext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

namespace pelmora {

namespace {

// The window is laid out at 96 dpi, so that is what a point means on the stamp.
constexpr int kDotsPerMeterAt96Dpi = 3780; // 96 / 0.0254, rounded

// Beyond this the font engine is asked for glyphs larger than any photo; treat it as unreadable.
constexpr double kLargestPointSize = 10000.0;

bool usableSize(double points) {
    return points > 0 && points <= kLargestPointSize;
}

} // namespace

double signaturePointSize(const SignatureStyle &style) {
    const std::optional<double> typed = readDecimalNumber(style.pointSizeText);
    if (typed && usableSize(*typed))
        return *typed;
    return usableSize(style.fallbackPointSize) ? style.fallbackPointSize : 9.0;
}

double DrawSignature(QImage &target, const SignatureStyle &style) {
    const double points = signaturePointSize(style);
    if (target.isNull() || style.text.isEmpty())
        return points;

    QFont font(style.family);
    font.setPointSizeF(points);
    font.setBold(true);
    font.setItalic(true);

    const int dpmX = target.dotsPerMeterX();
    const int dpmY = target.dotsPerMeterY();
    target.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    target.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    {
        const QFontMetricsF metrics(font, &target);
        const double textWidth = metrics.horizontalAdvance(style.text);
        const double textHeight = metrics.height();
        const double x = target.width() - textWidth * 1.1;
        const double y = target.height() - textHeight * 1.5;

        QPainter painter(&target);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(font);
        painter.setPen(style.color);
        painter.drawText(QPointF(x, y + metrics.ascent()), style.text);
    }
    target.setDotsPerMeterX(dpmX);
    target.setDotsPerMeterY(dpmY);
    return points;
}

} // namespace pelmora
