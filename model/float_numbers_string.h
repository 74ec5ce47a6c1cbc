#pragma once

#include <string>

class CEditableDouble;

// Display text of a number: rounded to a count of significant digits and padded with trailing zeros up to
// that count, in exponent form (two-digit exponents at least, 1.5e+05) outside 0.01 to 1000. It is a string
// and is used wherever one is. The text never depends on the process locale: the decimal point is '.'.
class CFloatNumbersString : public std::string {
public:
    CFloatNumbersString() = default;
    // Holds the given text, typically typed text whose significant digits are to be counted.
    explicit CFloatNumbersString(const char* text) : std::string(text ? text : "") {}
    explicit CFloatNumbersString(std::string text) : std::string(std::move(text)) {}

    // The value rounded to digits significant digits; digits 0 (or below) takes the display digits, and
    // counts above what a double carries are taken as 17. "???" for infinities and NaN, "0" for zero.
    void Format(double value, int digits);
    // Compact text with the display digits and no trailing zeros (2, 0.05, 1e+04).
    void FormatFixed(double value);
    // FormatFixed of the number's value; its count of digits is not used.
    void FormatFixed(const CEditableDouble& number);

    // The significant digits of the held text: after one sign, leading '0' and '.' are skipped, then every
    // decimal digit up to the first 'e' or 'E' counts.
    int CountSignificantDigits() const;
};
