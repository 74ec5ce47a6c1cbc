#include "model/reaction_string.h"

#include <climits>

namespace {

// Replaces every occurrence, scanning from the left; what was inserted is not searched again.
void ReplaceAll(std::string& text, std::string_view find, std::string_view replacement) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find, start)) {
        result.append(text, start, at - start);
        result.append(replacement);
        start = at + find.size();
    }
    if (start == 0)
        return;
    result.append(text, start, std::string::npos);
    text = std::move(result);
}

// Repeats the replacement until the text no longer holds what is searched for.
void ReplaceUntilGone(std::string& text, std::string_view find, std::string_view replacement) {
    while (text.find(find) != std::string::npos)
        ReplaceAll(text, find, replacement);
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::string NormalizeReactionString(std::string text) {
    static constexpr std::string_view kSteps[][2] = {
        {".", "&"},      {"[sub]", "_{"}, {"[/sub]", "}"}, {"[sup]", "^{"}, {"[/sup]", "}"},
        {"<sub>", "_{"}, {"</sub>", "}"}, {"<sup>", "^{"}, {"</sup>", "}"}, {"\t", " "},
        {"\r", " "},     {"\n", " "},     {"=", " = "},    {" +", " "},
    };
    for (const auto& [find, replacement] : kSteps)
        ReplaceAll(text, find, replacement);
    ReplaceUntilGone(text, "--", "-");
    ReplaceAll(text, "<->", " = ");
    ReplaceAll(text, "->", " = ");
    ReplaceAll(text, "\x9B", " = "); // the single right-pointing angle quotation mark of Windows-1252
    ReplaceAll(text, ">", " = ");
    ReplaceAll(text, "&rarr;", " = ");
    ReplaceUntilGone(text, "  ", " ");
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

int ReadLeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // saturate; the clamp below settles the sign
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::vector<ReactionTerm> SplitReactionTerms(std::string_view normalized) {
    std::vector<ReactionTerm> terms;
    std::size_t start = 0;
    while (start <= normalized.size()) {
        std::size_t end = normalized.find(' ', start);
        if (end == std::string_view::npos)
            end = normalized.size();
        const std::string_view token = normalized.substr(start, end - start);
        start = end + 1;
        if (token.empty())
            continue;
        ReactionTerm term;
        if (token == "=") {
            term.isSeparator = true;
        } else {
            const int coefficient = ReadLeadingInteger(token);
            term.coefficient = coefficient == 0 ? 1 : coefficient;
            std::size_t digits = 0;
            while (digits < token.size() && token[digits] >= '0' && token[digits] <= '9')
                ++digits;
            term.formula = std::string(token.substr(digits));
        }
        terms.push_back(std::move(term));
    }
    return terms;
}
