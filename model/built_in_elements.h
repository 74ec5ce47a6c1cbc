#pragma once

#include <span>
#include <string_view>

// The rows every element table starts from: row 0 the electron "e", then the elements "H" to "Lr" by atomic
// number. The mass texts stand as published, trailing zeros included: they give each row its decimals.
struct BuiltInElement {
    std::string_view symbol;
    std::string_view massText;
};

std::span<const BuiltInElement> BuiltInElements();
