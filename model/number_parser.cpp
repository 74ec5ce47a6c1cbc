#include "model/number_parser.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod in the "C" locale: the decimal point is '.', whatever the user's locale says.
double StrtodC(const char* text, char** end) {
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return ::strtod_l(text, end, cLocale);
}

std::size_t SkipDigits(const std::string& text, std::size_t at) {
    while (at < text.size() && IsDecimalDigit(text[at]))
        ++at;
    return at;
}

// The end of a decimal number as a person writes it that starts at `at`: an optional sign, digits with at
// most one point and at least one digit, and an optional exponent ('e' or 'E', an optional sign, digits).
// npos when no such number starts there. strtod would also take "inf", "nan" and hexadecimal numbers.
std::size_t DecimalNumberEnd(const std::string& text, std::size_t at) {
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const std::size_t integerEnd = SkipDigits(text, at);
    bool anyDigit = integerEnd > at;
    at = integerEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, at + 1);
        anyDigit = anyDigit || fractionEnd > at + 1;
        at = fractionEnd;
    }
    if (!anyDigit)
        return std::string::npos;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd == exponent)
            return std::string::npos;
        at = exponentEnd;
    }
    return at;
}

bool OnlyBlanksFrom(const std::string& text, std::size_t position) {
    for (std::size_t i = position; i < text.size(); ++i)
        if (!IsBlank(text[i]))
            return false;
    return true;
}

} // namespace

std::string LimitNumberBoxText(std::string text) {
    if (text.size() > kNumberBoxTextLimit)
        text.resize(kNumberBoxTextLimit);
    return text;
}

bool ParseDouble(std::string& text, double& value) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    const std::string_view rest = std::string_view(text).substr(start);
    if (rest.empty() || rest == "-" || rest == "." || rest == "???") {
        value = 0.0;
        return true;
    }
    for (std::size_t i = start; i < text.size(); ++i)
        if (text[i] == ',')
            text[i] = '.';
    const char last = text.back();
    if (last == 'e' || last == '-' || last == '+')
        text.push_back('0');

    // Only blanks may follow the number; an embedded NUL is no blank, so a text holding one is rejected.
    const std::size_t stop = DecimalNumberEnd(text, start);
    if (stop == std::string::npos || !OnlyBlanksFrom(text, stop))
        return false;
    const double converted = StrtodC(text.c_str() + start, nullptr);
    // A number too large for a double is no number: it would come back as infinity.
    if (!std::isfinite(converted))
        return false;
    value = converted;
    return true;
}
