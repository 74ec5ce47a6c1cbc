#pragma once

#include <span>
#include <string>
#include <string_view>

// Small text and number helpers shared by the formula reader, the reaction reader and the dialogs.
// Text is 8-bit Windows-1252, one byte per character.

// Greatest common divisor by Euclid's algorithm with truncated remainders, so the sign of the result follows
// the arguments (4, -6 -> -2; -4, 6 -> 2). A zero argument gives the other argument (0 for two zeros), and
// a pair whose remainder cannot be formed (INT_MIN with -1) gives -1 instead of trapping.
int Gcd(int a, int b);

// What the compare functions of the sorted lists share: negative, 0 or positive as a comes before, with or
// after b in ascending order.
template <class T> int CompareValues(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}
// Texts without regard to the case of ASCII letters; other bytes compare by value, whatever the locale.
int CompareNoCase(std::string_view a, std::string_view b);

// True for the ASCII digits "0" to "9" only.
bool IsDigit(char c);

// True when the path names something that exists and is not a directory.
bool FileExists(const std::string& path);

// values[i] for the first i whose name equals the key exactly (case-sensitive), or -1. Only the first
// min(names, values) entries take part.
int LookupIndex(std::string_view key, std::span<const std::string_view> names, std::span<const int> values);

// Removes the leading run of decimal digits from the text and returns its value (0, text unchanged, when the
// text does not start with a digit). A run too large for an int gives INT_MAX.
int TakeLeadingNumber(std::string& text);

// Returns the part of the text before the first character that belongs to the separator set and leaves the
// text holding what follows that character. When no separator occurs the whole text is returned and the text
// becomes empty. The separator found (or 0) goes to *found when it is given.
std::string SplitAtAny(std::string& text, std::string_view separators, char* found = nullptr);
