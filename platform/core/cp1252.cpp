#include "platform/core/cp1252.h"

#include <array>

namespace cp1252 {
namespace {

// Unicode characters of the bytes 0x80-0x9F.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

} // namespace

char32_t ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControlRange[byte - 0x80] : char32_t{byte};
}

std::optional<char> FromUnicode(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == code)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

Encoded Encode(std::u32string_view text) {
    Encoded encoded;
    encoded.bytes.reserve(text.size());
    for (const char32_t code : text) {
        const std::optional<char> byte = FromUnicode(code);
        if (!byte) {
            encoded.bytes.clear();
            encoded.refused = code;
            return encoded;
        }
        encoded.bytes += *byte;
    }
    return encoded;
}

} // namespace cp1252
