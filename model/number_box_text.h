#pragma once

#include <optional>
#include <string>

class CEditableDouble;

// The texts of an amount box: what it shows for a value, what it makes of the typed text when the focus
// leaves it, and how a typed text becomes a counted number. Standard library only.

// Parses like ParseDouble but into a counted number: only the value is set, its digits are left alone.
bool ParseEditableDouble(std::string& text, CEditableDouble& target);

// The text a box shows for a plain double: compact, with the display digits.
std::string NumberBoxText(double value);
// The text a box shows for a counted number: as many significant digits as it carries, compact when it
// carries none, nothing at all when its count is negative.
std::string NumberBoxText(const CEditableDouble& number);

// What a box does with its text when the focus leaves it: an accepted text is rewritten to the significant
// digits the user typed (the count sees the whole text, leading blanks included); a rejected text stays as
// typed (nullopt).
struct ReformattedNumber {
    std::string text;
    int digits = 0;
    double value = 0.0;
};
std::optional<ReformattedNumber> ReformatNumberBoxText(const std::string& typed);

// Reads a typed text into a counted number: the value, and the significant digits of the text as the parser
// left it. nullopt when the text is rejected.
std::optional<CEditableDouble> ReadCountedNumber(const std::string& typed);
