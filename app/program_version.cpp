#include "app/program_version.h"

#include "qelt_version.h"

#include <charconv>

std::array<int, 4> ParseVersionParts(const std::string& text) {
    std::array<int, 4> parts{};
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int& part : parts) {
        const auto [next, error] = std::from_chars(p, end, part);
        if (error != std::errc())
            break;
        p = next;
        if (p == end || *p != '.')
            break;
        ++p;
    }
    return parts;
}

std::array<int, 4> ProgramVersionParts() {
    return ParseVersionParts(QELT_VERSION_STRING);
}

std::string FormatVersionText(const std::string& pattern, const std::array<int, 4>& parts) {
    std::string text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 'i') {
            text += next < parts.size() ? std::to_string(parts[next++]) : std::string();
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
