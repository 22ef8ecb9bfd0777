#include "titleindentstyle.h"

#include <QStyleFactory>

TitleIndentStyle::TitleIndentStyle(int indent)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    , m_indent(indent) {}

QRect TitleIndentStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                       SubControl sub, const QWidget *widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
    if (control == CC_GroupBox && sub == SC_GroupBoxLabel)
        rect.translate(m_indent, 0);
    return rect;
}
