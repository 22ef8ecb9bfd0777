#include "fontchooser.h"

#include <QColorDialog>
#include <QFontDialog>

std::optional<SignatureLook> chooseSignatureLook(QWidget *parent, const QFont &preset,
                                                 const QColor &color) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, preset, parent);
    if (!ok)
        return std::nullopt;
    SignatureLook look{chosen, color, chosen.pointSizeF()};
    const QColor picked = QColorDialog::getColor(color, parent);
    if (picked.isValid())
        look.color = picked;
    return look;
}
