#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace pelmora {

// The signature stamped into the lower right corner of a resized photo.
struct StampStyle {
    QString text; // empty: no stamp
    QString family;
    double pointSize = 9.0;
    QColor color = Qt::black;
};

// Stamps style.text into the lower right corner of target, bold and italic, in the style's face
// and colour: the text's top left corner goes to (width - 1.1 x text width,
// height - 1.5 x text height). Points become pixels at 96 dpi whatever density the photo declares.
// Only the anti-aliased glyphs are drawn.
void DrawSignature(QImage &target, const StampStyle &style);

} // namespace pelmora
