#pragma once

#include <QString>

namespace pelmora {

// The face the window, and so the signature by default, is designed with.
QString designedInterfaceFace();

// Where the designed face is not installed, lets it resolve to IPA P Gothic (proportional
// Japanese glyphs of the same class), so the window and the signature look alike everywhere.
// Call once at start, before fonts are used.
void installFontSubstitutes();

} // namespace pelmora
