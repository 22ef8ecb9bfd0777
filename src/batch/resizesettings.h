#pragma once

#include "picture/resizedpicture.h"
#include "result/result.h"

#include <QColor>
#include <QString>

namespace pelmora {

// The signature as the window's fields (or the command line) give it.
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
    MetadataPolicy metadata = MetadataPolicy::WithoutLocation; // the window keeps the default
};

// The longer side as the width field or the command line gives it, one rule for both: a whole
// number of pixels from 1 to kLargestLongerSide, blanks around it allowed (a fraction is refused,
// not rounded). 0 for an empty field, which keeps each photo's own size.
Result<int> readLongerSide(const QString &text);

// The point size the stamp is drawn at: style.pointSizeText when it reads as a size above 0,
// else style.fallbackPointSize.
double signaturePointSize(const SignatureStyle &style);

// The settings as the picture work takes them, or why they cannot be used.
Result<ResizeOptions> resizeOptions(const ResizeSettings &settings);

} // namespace pelmora
