#pragma once

#include <QColor>
#include <QFont>
#include <optional>

class QWidget;

// What the signature font chooser gives back: the face with its bold and italic flags, the
// colour, and the point size the user picked.
struct SignatureLook {
    QFont font;
    QColor color;
    double pointSize = 0;
};

// Shows the font dialog preset with `preset`, then offers the colour. Nothing when the user
// cancels the font dialog; cancelling only the colour keeps `color`.
std::optional<SignatureLook> chooseSignatureLook(QWidget *parent, const QFont &preset,
                                                 const QColor &color);
