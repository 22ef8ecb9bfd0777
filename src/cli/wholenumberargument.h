#pragma once

#include <QString>
#include <optional>

namespace pelmora {

// An option's whole number as a command line takes it: digits only, with an optional sign,
// within [min, max]. A fraction ("5.5") is refused rather than rounded as the window's fields
// round it: a script that passes one has a mistake to learn of.
std::optional<int> readWholeNumberArgument(const QString &text, int min, int max);

} // namespace pelmora
