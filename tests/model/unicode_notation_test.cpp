// Chemistry pasted from web pages and other programs, written with Unicode, as the formula notation.
#include "model/unicode_notation.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::u32string_view text;
    std::string_view notation;
};

TEST(UnicodeNotation, ChemistryBecomesTheNotation) {
    const Case cases[] = {
        {U"H₂O", "H2O"},
        {U"C₁₂H₂₂O₁₁", "C12H22O11"},
        {U"Fe₂(SO₄)₃", "Fe2(SO4)3"},
        {U"Fe³⁺", "Fe^{3+}"},
        {U"SO₄²⁻", "SO_4^{2-}"},
        {U"NH₄⁺", "NH_4^+"},
        {U"[Cu(NH₃)₄]²⁺", "[Cu(NH_3)_4]^{2+}"},
        {U"¹⁴CO₂", "^{14}CO_2"},
        {U"²H₂O", "^2H_2O"},        // ² counts as a superscript beside other sub- and superscripts
        {U"SO₄^{2-}", "SO_4^{2-}"}, // a term already in the extended notation
        {U"2H3O⁺", "2H_3O^+"},      // plain digits stay subscripts, the coefficient stays
        {U"Fe2(SO4)3 + O2", "Fe2(SO4)3 + O2"},
        {U"CuSO₄⋅5H₂O", "CuSO4\xB7"
                        "5H2O"},
        {U"2H₂ + O₂ → 2H₂O", "2H2 + O2 -> 2H2O"},
        {U"Fe³⁺ + e⁻ ⇌ Fe²⁺", "Fe^{3+} + e^- -> Fe^{2+}"},
        {U"A⟶B ⇄ C ⇋ D", "A->B -> C -> D"},
        {U"e−", "e-"},
        {U"\uFEFFH₂\u00A0+\u2009O₂\tx", "H2 + O2\tx"},
        {U"m² €", "m\xB2 \x80"}, // text Windows-1252 holds is left as it is
        {U"", ""},
    };
    for (const Case& c : cases) {
        const cp1252::Encoded encoded = UnicodeToNotation(c.text);
        EXPECT_FALSE(encoded.refused) << c.notation;
        EXPECT_EQ(encoded.bytes, c.notation);
    }
}

TEST(UnicodeNotation, ACharacterWithoutEquivalentIsRefused) {
    for (const std::u32string_view text : {U"H₂O + α", U"H₊", U"\U0001F600", U"Fe³⁺ → Fe²⁺ ⇒ x"}) {
        const cp1252::Encoded encoded = UnicodeToNotation(text);
        ASSERT_TRUE(encoded.refused);
        EXPECT_EQ(encoded.bytes, "");
    }
    EXPECT_EQ(UnicodeToNotation(U"H₂O + α").refused, U'α');
}

TEST(UnicodeNotation, EveryByteButTheNoBreakSpaceComesBack) {
    for (int byte = 1; byte < 256; ++byte) {
        const char32_t code = cp1252::ToUnicode(static_cast<unsigned char>(byte));
        const std::string expected(1, byte == 0xA0 ? ' ' : static_cast<char>(byte));
        EXPECT_EQ(UnicodeToNotation(std::u32string(1, code)).bytes, expected) << byte;
    }
}

} // namespace
