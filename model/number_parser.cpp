#include "model/number_parser.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// strtod in the "C" locale: the decimal point is '.', whatever the user's locale says.
double StrtodC(const char* text, char** end) {
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return ::strtod_l(text, end, cLocale);
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

    // An embedded NUL ends the conversion and is no blank, so a text holding one is rejected.
    const char* begin = text.c_str() + start;
    char* end = nullptr;
    const double converted = StrtodC(begin, &end);
    const std::size_t stop = static_cast<std::size_t>(end - text.c_str());
    if (converted != 0.0) {
        if (!OnlyBlanksFrom(text, stop))
            return false;
    } else if (stop != text.size()) {
        if (text[start] != '0' || !OnlyBlanksFrom(text, stop))
            return false;
    }
    value = converted;
    return true;
}
