#pragma once

#include <limits>

// Bounds shared by the numbers that carry a count of significant digits and by their formatting.
namespace significant_digits {

// A double holds no more than 17 significant decimal digits: a longer count only lengthens the text with
// digits that mean nothing, and a count from a damaged file or setting could make it enormous.
inline constexpr int kMaxDigits = std::numeric_limits<double>::max_digits10;

// The count brought into 1..kMaxDigits.
int Clamp(int digits);

// The application's display digits (4 or 6 as a rule), read afresh on every call so that a change takes
// effect at once, and brought into 1..kMaxDigits whatever the setting holds.
int DisplayDigits();

} // namespace significant_digits
