#pragma once

#include "platform/core/cp1252.h"

#include <string_view>

// Chemistry written with Unicode characters, as web pages and other programs write it, turned into the
// formula notation the model reads (Windows-1252 bytes). A term is a run of text between blanks and arrows.
// - Subscript digits are the digits the plain notation writes: H₂O -> H2O.
// - A term with superscript digits or signs is written in the extended notation throughout: superscripts
//   after "^", subscripts after "_", braces around a run of more than one (Fe³⁺ -> Fe^{3+},
//   SO₄²⁻ -> SO_4^{2-}); the digits such a term had in the plain notation stay subscripts (H3O⁺ ->
//   H_3O^+). So is a term with subscript digits that already uses the marks of that notation.
//   ¹, ² and ³ have bytes of their own: they count as superscripts only in a term that has other
//   subscripts or superscripts.
// - The dot operators U+22C5 and U+2219 are the hydrate dot (byte 0xB7); the arrows → ⟶ ⇌ ⇋ ⇄ are "->";
//   the minus sign U+2212 is "-"; Unicode blanks (the no-break space among them) are blanks; zero-width
//   characters are dropped.
// - Any other character is its Windows-1252 byte; the first that has none is refused, and nothing is
//   converted.
// Apart from the no-break space, text that Windows-1252 can hold comes out as it went in.
cp1252::Encoded UnicodeToNotation(std::u32string_view text);
