#pragma once

#include "convert/resizesettings.h"

#include <QImage>

namespace pelmora {

// The point size the stamp is drawn at: style.pointSizeText when it reads as a size above 0,
// else style.fallbackPointSize.
double signaturePointSize(const SignatureStyle &style);

// Stamps style.text into the lower right corner of target, bold and italic, in the style's face
// and colour: the text's top left corner goes to (width - 1.1 x text width,
// height - 1.5 x text height). Points become pixels at 96 dpi whatever density the photo declares.
// Only the anti-aliased glyphs are drawn. Returns the point size used.
double DrawSignature(QImage &target, const SignatureStyle &style);

} // namespace pelmora
