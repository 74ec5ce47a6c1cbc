#include "model/chemical_formula.h"

#include "model/composition_vector.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One digit per display character: 0 normal, 1 subscript, 2 superscript, 3 hydrate dot.
std::string StyleDigits(const ChemicalFormula& formula) {
    std::string digits;
    for (CharStyle style : formula.GetStyles())
        digits += static_cast<char>('0' + static_cast<int>(style));
    return digits;
}

struct DisplayCase {
    const char* given;
    const char* shown;
    const char* styles;
};

TEST(FormulaDisplay, StylesOfBothNotations) {
    const std::vector<DisplayCase> cases = {
        // Plain notation: digits after the leading coefficient are subscripts.
        {"H2SO4", "H2SO4", "01001"},
        {"2H2O", "2H2O", "0010"},
        {"?H2O", "?H2O", "0010"},
        {"12CO2", "12CO2", "00001"},
        {"CuSO4.5H2O", "CuSO4.5H2O", "0000101010"},
        {"1.5H2O", "1.5H2O", "001010"},
        {"CuSO4\xB7"
         "5H2O",
         "CuSO4\xB7"
         "5H2O",
         "0000101010"},
        {"?12H2O", "?12H2O", "000010"},
        // Extended notation: marks removed, "&" shown as ".".
        {"SO_4^{2-}", "SO42-", "00122"},
        {"Fe^{3+}", "Fe3+", "0022"},
        {"NH_4^+", "NH4+", "0012"},
        {"CuSO_4&5H_2O", "CuSO4.5H2O", "0000130010"},
        {"_{12}C", "12C", "110"},
        {"H2O^+", "H2O+", "0002"},
        {"NaCl,2H2O", "NaCl,2H2O", "000000000"},
        {"^{14}CO_2", "14CO2", "22001"},
        // A mark right after a mark is read, not passed over; a mark at the end leaves nothing.
        {"A^_2", "A2", "01"},
        {"A^&B", "A.B", "030"},
        {"H_", "H", "0"},
        {"^^^", "", ""},
        {"x{ab}_c", "xabc", "0001"},
        {"x_{ab}c", "xabc", "0110"},
    };
    for (const DisplayCase& c : cases) {
        SCOPED_TRACE(c.given);
        const ChemicalFormula formula(c.given);
        EXPECT_EQ(formula.GetDisplayText(), c.shown);
        EXPECT_EQ(StyleDigits(formula), c.styles);
        EXPECT_EQ(formula.GetLength(), static_cast<int>(std::string(c.shown).size()));
        EXPECT_EQ(formula.GetColors(),
                  std::vector<ColorRef>(formula.GetDisplayText().size(), kDefaultTextColor));
        EXPECT_EQ(formula.GetSourceText(), c.given);
    }
}

TEST(FormulaDisplay, WithoutExtendedEverythingIsNormalAndKept) {
    ChemicalFormula formula;
    formula.SetText("SO_4^{2-}", false);
    EXPECT_EQ(formula.GetDisplayText(), "SO_4^{2-}");
    EXPECT_EQ(StyleDigits(formula), "000000000");
}

TEST(FormulaDisplay, TrimsOnlyOnTheRight) {
    const ChemicalFormula trailing("H2O \t\r\n");
    EXPECT_EQ(trailing.GetSourceText(), "H2O");
    EXPECT_EQ(trailing.GetDisplayText(), "H2O");

    const ChemicalFormula leading("  H2O");
    EXPECT_EQ(leading.GetSourceText(), "  H2O");
    EXPECT_EQ(StyleDigits(leading), "00010");

    const ChemicalFormula blank(" \t\r\n");
    EXPECT_EQ(blank.GetLength(), 0);
    EXPECT_TRUE(blank.GetStyles().empty());
}

TEST(FormulaDisplay, SettingTextReplacesEverything) {
    ScopedTestModelHost host;
    ChemicalFormula formula("Xy");
    formula.GetComposition();
    ASSERT_TRUE(formula.HasParseError());
    formula.SetCoefficientColor(0x008000);

    formula.SetText("2H_2O");
    EXPECT_FALSE(formula.HasParseError());
    EXPECT_EQ(formula.GetDisplayText(), "2H2O");
    EXPECT_EQ(StyleDigits(formula), "0010");
    EXPECT_EQ(formula.GetColors(), std::vector<ColorRef>(4, kDefaultTextColor));

    formula.SetText("");
    EXPECT_EQ(formula.GetLength(), 0);
    EXPECT_TRUE(formula.GetStyles().empty());
    EXPECT_TRUE(formula.GetColors().empty());
}

TEST(FormulaDisplay, LongTextsAreAccepted) {
    const std::string text(200, 'C');
    const ChemicalFormula formula(text + "_2");
    EXPECT_EQ(formula.GetLength(), 201);
    EXPECT_EQ(formula.GetStyles().back(), CharStyle::Subscript);
}

struct ColorCase {
    const char* given;
    std::vector<ColorRef> colors;
};

TEST(FormulaDisplay, CoefficientColour) {
    constexpr ColorRef green = 0x008000;
    constexpr ColorRef none = kDefaultTextColor;
    const std::vector<ColorCase> cases = {
        {"2H2O", {green, none, none, none}},
        {"12CO2", {green, green, none, none, none}},
        {"?H2O", {ChemicalFormula::kUnknownCoefficientColor, none, none, none}},
        {"?2H2O", {ChemicalFormula::kUnknownCoefficientColor, none, none, none, none}},
        {"H2O", {none, none, none}},
        // The leading run of the display text, whatever its style.
        {"_{12}C", {green, green, none}},
        {"", {}},
    };
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(c.given);
        ChemicalFormula formula(c.given);
        formula.SetCoefficientColor(green);
        EXPECT_EQ(formula.GetColors(), c.colors);
    }
    EXPECT_EQ(ChemicalFormula::kUnknownCoefficientColor, MakeColorRef(224, 0, 0));
}

} // namespace
