#include "signature.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

namespace pelmora {

namespace {

// The window is laid out at 96 dpi, so that is what a point means on the stamp.
constexpr int kDotsPerMeterAt96Dpi = 3780; // 96 / 0.0254, rounded

} // namespace

void DrawSignature(QImage &target, const StampStyle &style) {
    if (target.isNull() || style.text.isEmpty())
        return;

    QFont font(style.family);
    font.setPointSizeF(style.pointSize);
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
}

} // namespace pelmora
