#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows-1252, the 8-bit character set the model's text and files are written in. Every byte has a
// character: 0x80-0x9F follow the Windows-1252 table, and the five bytes that table leaves unassigned (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number, so that any byte string
// survives the round trip through Unicode.
namespace cp1252 {

char32_t ToUnicode(unsigned char byte);
// The byte of a character; nothing when Windows-1252 has none.
std::optional<char> FromUnicode(char32_t code);

// A text turned into bytes, or the first character that has none.
struct Encoded {
    std::string bytes;
    std::optional<char32_t> refused;
};
Encoded Encode(std::u32string_view text);

} // namespace cp1252
