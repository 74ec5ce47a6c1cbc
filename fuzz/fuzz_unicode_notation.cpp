// Reads arbitrary bytes as UTF-16 text (two bytes a character, lone surrogates included) and turns it into
// the formula notation. Refused text gives no bytes; accepted text, shown again and read back, gives the
// same bytes.
#include "model/unicode_notation.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u32string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<char32_t>(data[i] | (data[i + 1] << 8));
    const cp1252::Encoded notation = UnicodeToNotation(text);
    if (notation.refused) {
        if (!notation.bytes.empty())
            __builtin_trap();
        return 0;
    }
    std::u32string shown;
    for (const char c : notation.bytes)
        shown += cp1252::ToUnicode(static_cast<unsigned char>(c));
    const cp1252::Encoded back = UnicodeToNotation(shown);
    if (back.refused || back.bytes != notation.bytes)
        __builtin_trap();
    return 0;
}
