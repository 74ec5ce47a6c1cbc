#include "model/text_utils.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <system_error>

int Gcd(int a, int b) {
    if (a == 0)
        return b;
    if (b == 0)
        return a;
    int dividend = a > b ? a : b;
    int divisor = a > b ? b : a;
    for (;;) {
        // INT_MIN % -1 overflows; its remainder is 0, so -1 divides it.
        if (divisor == -1)
            return -1;
        const int r = dividend % divisor;
        if (r == 0)
            return divisor;
        dividend = divisor;
        divisor = r;
    }
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const auto folded = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : int(byte);
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = folded(a[i]);
        const int cb = folded(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return CompareValues(a.size(), b.size());
}

bool IsDigit(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= '0' && byte <= '9';
}

bool FileExists(const std::string& path) {
    if (path.empty())
        return false;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return false;
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

int LookupIndex(std::string_view key, std::span<const std::string_view> names, std::span<const int> values) {
    const std::size_t count = std::min(names.size(), values.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (names[i] == key)
            return values[i];
    }
    return -1;
}

int TakeLeadingNumber(std::string& text) {
    std::size_t n = 0;
    long long value = 0;
    while (n < text.size() && IsDigit(text[n])) {
        value = std::min<long long>(value * 10 + (text[n] - '0'), INT_MAX);
        ++n;
    }
    text.erase(0, n);
    return static_cast<int>(value);
}

std::string SplitAtAny(std::string& text, std::string_view separators, char* found) {
    // Windows-1252 has no lead bytes, so every byte is one character.
    const std::size_t at = separators.empty() ? std::string::npos : text.find_first_of(separators);
    std::string part;
    if (at == std::string::npos) {
        part.swap(text);
        if (found)
            *found = 0;
        return part;
    }
    part = text.substr(0, at);
    if (found)
        *found = text[at];
    text.erase(0, at + 1);
    return part;
}
