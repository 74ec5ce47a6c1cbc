#include "model/float_numbers_string.h"

#include "model/editable_double.h"
#include "model/significant_digits.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace {

// printf's %.*e, %.*f and %.*g as the "C" locale writes them, whatever locale the process runs under.
// Precisions stay within 0..18 and fixed notation is used only up to a magnitude of 1000, so every text
// fits the buffer.
std::string ToChars(double value, std::chars_format format, int precision) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (error != std::errc())
        return "???";
    return std::string(buffer, end);
}

int CountDigits(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < text.size() && (text[i] == '0' || text[i] == '.'))
        ++i;
    int count = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            ++count;
    }
    return count;
}

bool InPlainRange(double magnitude) {
    return magnitude >= 0.01 && magnitude <= 1000.0;
}

// %g fell back to exponent form (only when the digits are fewer than those of the integer part, as 5.3e+02
// for 530 with 2 digits): write the same digits out in full, 530.
std::string ExpandExponent(const std::string& text) {
    const std::size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);
    const std::size_t point = text.find_first_of(".,");
    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            digits += text[i];
    }
    const int afterPoint = point == std::string::npos || point > e ? 0 : static_cast<int>(e - point - 1);
    const int zeros = exponent - afterPoint;
    if (zeros > 0)
        digits.append(static_cast<std::size_t>(zeros), '0');
    return digits;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from))
        text.replace(at, from.size(), to);
}

} // namespace

void CFloatNumbersString::Format(double value, int digits) {
    if (!std::isfinite(value)) {
        assign("???");
        return;
    }
    if (value == 0.0) {
        assign("0");
        return;
    }
    digits = digits <= 0 ? significant_digits::DisplayDigits() : significant_digits::Clamp(digits);

    const double magnitude = std::fabs(value);
    if (!InPlainRange(magnitude)) {
        assign(ToChars(value, std::chars_format::scientific, digits - 1));
        return;
    }

    std::string text = ToChars(magnitude, std::chars_format::general, digits);
    if (text.find('e') == std::string::npos) {
        const int counted = CountDigits(text);
        if (counted != digits) {
            if (text.find_first_of(".,") == std::string::npos)
                text += '.';
            if (digits > counted)
                text.append(static_cast<std::size_t>(digits - counted), '0');
        }
    } else {
        text = ExpandExponent(text);
    }
    if (value < 0)
        text.insert(text.begin(), '-');
    assign(std::move(text));
}

void CFloatNumbersString::FormatFixed(double value) {
    if (!std::isfinite(value)) {
        assign("???");
        return;
    }
    if (value == 0.0) {
        assign("0");
        return;
    }
    const int display = significant_digits::DisplayDigits();
    const double magnitude = std::fabs(value);
    std::string text;
    if (InPlainRange(magnitude)) {
        text = ToChars(value, std::chars_format::fixed, magnitude < 0.1 ? display + 1 : display);
        if (text.find('.') != std::string::npos) {
            text.erase(text.find_last_not_of('0') + 1);
            text.erase(text.find_last_not_of(".,") + 1);
        }
    } else {
        text = ToChars(value, std::chars_format::scientific, display - 1);
        ReplaceAll(text, "0e", "e");
        ReplaceAll(text, ".e", "e");
    }
    assign(std::move(text));
}

void CFloatNumbersString::FormatFixed(const CEditableDouble& number) {
    FormatFixed(number.value);
}

int CFloatNumbersString::CountSignificantDigits() const {
    return CountDigits(*this);
}
