#pragma once

#include <QColor>
#include <QString>

namespace pelmora {

// The signature stamped into the lower right corner of a resized photo.
struct SignatureStyle {
    QString text;                   // empty: no stamp
    QString family;                 // font face
    QString pointSizeText;          // size in points as typed ("8", "10.5")
    double fallbackPointSize = 9.0; // used when pointSizeText cannot be read: the previous stamp's
    QColor color = Qt::black;
};

// What the resize needs, read once from the fields.
struct ResizeSettings {
    QString longerSide; // text of the width field: the longer side in pixels; empty keeps the size
    int quality = 5;    // slider position 1..10; the JPEG quality is ten times it
    SignatureStyle signature;
};

} // namespace pelmora
