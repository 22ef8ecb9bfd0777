#pragma once

#include <QString>
#include <optional>

namespace pelmora {

// The range of the running number and of the longer side: what a user can type and see.
inline constexpr int kWholeNumberMin = -32768;
inline constexpr int kWholeNumberMax = 32767;

// Reads a decimal number as typed into a field: blanks around it and a leading sign are
// allowed, no exponent, no grouping. Nothing when the text is not such a number.
std::optional<double> readDecimalNumber(const QString &text);

// Reads a whole number the same way; a fractional part rounds to the nearest whole number,
// a half to the even neighbour. Nothing when unreadable or outside [min, max].
std::optional<int> readWholeNumber(const QString &text, int min = kWholeNumberMin,
                                   int max = kWholeNumberMax);

// The shortest decimal form of a point size as a user reads it: 12, 10.5.
QString shortestDecimal(double value);

} // namespace pelmora
