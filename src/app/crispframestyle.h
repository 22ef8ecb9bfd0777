#pragma once

#include <QProxyStyle>

// Draws a panel's frame inside the panel. The style draws it as a line along the panel's edge,
// half of it outside: at a fractional scale (1.25, 1.5), where a panel may start part of the way
// into a screen pixel, that half was all the line had on the screen, and the panel's top border
// went missing.
class CrispFrameStyle : public QProxyStyle {
public:
    CrispFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;
};
