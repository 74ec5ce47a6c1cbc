#pragma once

#include <cstddef>
#include <string>

// The lenient number syntax of every amount box. It accepts the intermediate texts a user produces while
// typing a number, so that typing is never interrupted:
//   - leading blanks and tabs are skipped;
//   - nothing at all, "-", "." and "???" (the text of a value that is not finite) read as 0;
//   - a comma is a decimal point;
//   - a trailing 'e', '-' or '+' is completed with '0' ("1.5e" reads as 1.5e0);
//   - the rest must be a decimal number as a person writes it (an optional sign, digits with at most one
//     point, an optional exponent), read in the C locale, and only blanks and tabs may follow it.
// Anything else is no number: "inf", "nan", hexadecimal, and a number too large for a double.
// The parser changes the text in place (commas become points, a completing '0' is appended); callers
// count significant digits on the changed text.

// The longest text a box hands to the parser; longer texts are read up to this many characters.
inline constexpr std::size_t kNumberBoxTextLimit = 31;

// Returns true and sets value when the text is accepted; on rejection value is left as it was.
bool ParseDouble(std::string& text, double& value);

// The box's text as the parser sees it: cut to kNumberBoxTextLimit characters.
std::string LimitNumberBoxText(std::string text);
