#include "crispframestyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

CrispFrameStyle::CrispFrameStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void CrispFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const {
    if (element != PE_Frame)
        return QProxyStyle::drawPrimitive(element, option, painter, widget);
    // Fusion's colour for a frame's outline.
    const QColor outline = option->palette.window().color().darker(140).lighter(108);
    const QRect r = option->rect;
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), outline);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), outline);
    painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), outline);
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), outline);
}
