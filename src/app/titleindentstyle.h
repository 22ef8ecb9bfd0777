#pragma once

#include <QProxyStyle>

// Moves a group box's title to the right, so that the leading blanks of a caption leave room
// for the check box that sits on the title line, whatever the width of a blank in the font.
class TitleIndentStyle : public QProxyStyle {
public:
    explicit TitleIndentStyle(int indent);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override;

private:
    int m_indent;
};
