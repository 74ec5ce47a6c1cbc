#include "app/reaction_printout_layout.h"

#include "app_test_host.h"
#include "model/qelt_doc.h"
#include "support/recording_surface.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const FontSpec kSmall{"Arial", -26, 400, 0x22};
const FontSpec kNormal{"Arial", -35, 400, 0x22};
const FontSpec kBold{"Arial", -35, 700, 0x22};
constexpr int kRight = TextAlign::Right;
constexpr int kLeft = TextAlign::Left;

// One expected item of the page.
struct Item {
    std::string text;
    int x;
    int y;
    FontSpec font;
    int align;
};

// The text drawn with these characters at this place, or nothing.
std::optional<RecordedText> Find(const RecordingSurface& dc, const std::string& text, int x, int y) {
    for (const RecordedText& t : dc.texts) {
        if (t.text == text && t.x == x && t.y == y)
            return t;
    }
    return std::nullopt;
}

bool Drawn(const RecordingSurface& dc, const std::string& text) {
    for (const RecordedText& t : dc.texts) {
        if (t.text == text)
            return true;
    }
    return false;
}

void ExpectItems(const RecordingSurface& dc, const std::vector<Item>& items) {
    for (const Item& item : items) {
        SCOPED_TRACE(item.text + " at " + std::to_string(item.x) + ", " + std::to_string(item.y));
        const std::optional<RecordedText> t = Find(dc, item.text, item.x, item.y);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(t->font, item.font);
        EXPECT_EQ(t->align & TextAlign::HorizontalMask, item.align);
        EXPECT_EQ(t->align & TextAlign::VerticalMask, TextAlign::Top);
    }
}

// 2 H2 + O2 = 2 H2O with 4 mol (8.064 g) of hydrogen and 1 mol of oxygen entered: the oxygen limits, the
// hydrogen is in excess.
void PrepareWater(CQELTDoc& document) {
    ASSERT_TRUE(document.SetFromString("H2 + O2 = H2O"));
    CQELTReagent* hydrogen = document.GetReagent(0);
    hydrogen->enteredMass = CEditableDouble(8.064, 4);
    hydrogen->enteredMoles = CEditableDouble(4.0, 4);
    CQELTReagent* oxygen = document.GetReagent(1);
    oxygen->enteredMass = CEditableDouble(oxygen->GetMolarMass(), 4);
    oxygen->enteredMoles = CEditableDouble(1.0, 4);
    ASSERT_TRUE(document.BalanceReaction());
    ASSERT_TRUE(document.HasComputedAmounts());
}

TEST(PrintoutLayout, FontsAreArialInTenthsOfAMillimetre) {
    const printout::Fonts fonts = printout::MakeFonts();
    EXPECT_EQ(fonts.small, kSmall);
    EXPECT_EQ(fonts.normal, kNormal);
    EXPECT_EQ(fonts.bold, kBold);
}

TEST(PrintoutLayout, HeadingsRowsAndAmountsOfABalancedReactionWithResults) {
    AppTestHost host;
    CQELTDoc document;
    PrepareWater(document);
    RecordingSurface dc(true);
    printout::DrawReaction(dc, document);

    ExpectItems(dc, {
                        {"Input", 830, -200, kBold, kLeft},
                        {"Output", 1530, -200, kBold, kLeft},
                        {"Reactants", 110, -300, kBold, kLeft},
                        // Column heads, computed columns included.
                        {"MW", 580, -370, kSmall, kLeft},
                        {"mass", 810, -370, kSmall, kLeft},
                        {"moles", 1040, -370, kSmall, kLeft},
                        {"mass", 1460, -370, kSmall, kLeft},
                        {"moles", 1680, -370, kSmall, kLeft},
                        // Hydrogen: coefficient, formula, molar mass, entered and computed amounts.
                        {"2", 150, -420, kBold, kRight},
                        {"H", 170, -420, kNormal, kLeft},
                        {"2", 187, -440, kSmall, kLeft},
                        {"2.02g", 680, -420, kNormal, kRight},
                        {"8.064g", 930, -420, kNormal, kRight},
                        {"4.000m", 1180, -420, kNormal, kRight},
                        {"4.032g", 1530, -420, kNormal, kRight},
                        {"2.000m", 1780, -420, kNormal, kRight},
                        {"excess left: 4.0322g   2m", 1310, -480, kSmall, kLeft},
                        // Oxygen limits: its mark and, at the bottom, the footnote. A coefficient of 1
                        // is printed.
                        {"1", 150, -540, kBold, kRight},
                        {"O", 170, -540, kNormal, kLeft},
                        {"32.00g", 680, -540, kNormal, kRight},
                        {"1.000m", 1180, -540, kNormal, kRight},
                        {"*", 1190, -540, kSmall, kLeft},
                        {"Products", 110, -720, kBold, kLeft},
                        {"MW", 580, -790, kSmall, kLeft},
                        {"2", 150, -840, kBold, kRight},
                        {"18.02g", 680, -840, kNormal, kRight},
                        {"36.03g", 1530, -840, kNormal, kRight},
                        {"2.000m", 1780, -840, kNormal, kRight},
                        {"*limiting reagent", 110, -960, kSmall, kLeft},
                    });
    // No excess line for the limiting row, no entered amounts for the product, which has none.
    EXPECT_FALSE(Find(dc, "0g", 930, -840).has_value());
    EXPECT_FALSE(Drawn(dc, "*limits reactant amounts"));
    EXPECT_EQ(dc.DrawnText().find("excess left:", dc.DrawnText().find("excess left:") + 1),
              std::string::npos);
    EXPECT_EQ(dc.SaveDepth(), 0);
}

TEST(PrintoutLayout, WithoutResultsOnlyTheInputColumnsAndNoUnbalancedCoefficients) {
    AppTestHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("H2 = H2O"));
    ASSERT_FALSE(document.BalanceReaction());
    RecordingSurface dc(true);
    printout::DrawReaction(dc, document);

    ExpectItems(dc, {{"MW", 580, -370, kSmall, kLeft},
                     {"mass", 810, -370, kSmall, kLeft},
                     {"moles", 1040, -370, kSmall, kLeft},
                     {"H", 170, -420, kNormal, kLeft},
                     {"Products", 110, -600, kBold, kLeft},
                     {"H", 170, -720, kNormal, kLeft}});
    for (const RecordedText& t : dc.texts) {
        EXPECT_NE(t.x, 1460) << t.text;
        EXPECT_NE(t.x, 1680) << t.text;
        EXPECT_NE(t.x, 150) << t.text; // no coefficients
        EXPECT_NE(t.text.front(), '*') << t.text;
    }
}

TEST(PrintoutLayout, TypedCoefficientsArePrintedAndOnlyPositiveOnes) {
    AppTestHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("H2 + O2 = H2O"));
    document.SetManualCoefficients(true);
    document.SetManualCoefficient(0, 2);
    document.SetManualCoefficient(1, 1);
    document.SetManualCoefficient(2, 0);
    document.BalanceReaction();
    RecordingSurface dc(true);
    printout::DrawReaction(dc, document);
    ExpectItems(dc, {{"2", 150, -420, kBold, kRight}, {"1", 150, -540, kBold, kRight}});
    EXPECT_FALSE(Find(dc, "0", 150, -840).has_value());
}

TEST(PrintoutLayout, ConditionLinesNameTheUnitsOfSolutionsAndGases) {
    AppTestHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("Zn + HCl = ZnCl2 + H2"));
    CQELTReagent* acid = document.GetReagent(1);
    acid->inputKind = CQELTReagent::kSolution;
    acid->inputConcentration = CEditableDouble(0.5, 2);
    acid->inputConcentrationUnit = 0;
    acid->inputVolume = CEditableDouble(250, 3);
    acid->inputVolumeUnit = 1;
    CQELTReagent* hydrogen = document.GetReagent(CQELTDoc::kFirstProductRow + 1);
    hydrogen->outputKind = CQELTReagent::kGas;
    hydrogen->outputVolume = CEditableDouble(2.8, 2);
    hydrogen->outputGasVolumeUnit = 0;
    hydrogen->outputPressure = CEditableDouble(101.325, 6);
    hydrogen->outputPressureUnit = 3;
    hydrogen->outputTemperature = CEditableDouble(25, 2);
    hydrogen->outputTemperatureUnit = 0;
    // A damaged file can hold any unit code.
    CQELTReagent* zinc = document.GetReagent(0);
    zinc->inputKind = CQELTReagent::kGas;
    zinc->inputVolume = CEditableDouble(1, 1);
    zinc->inputGasVolumeUnit = 99;
    zinc->inputPressure = CEditableDouble(1, 1);
    zinc->inputPressureUnit = -1;
    zinc->inputTemperature = CEditableDouble(300, 3);
    zinc->inputTemperatureUnit = 1;
    ASSERT_TRUE(document.BalanceReaction());
    RecordingSurface dc(true);
    printout::DrawReaction(dc, document);

    // Rows: Zn -420, HCl -540; products from -840: ZnCl2 -840, H2 -960.
    ExpectItems(dc, {{"V=1???  p=1???  T=300K", 630, -480, kSmall, kLeft},
                     {"C=0.5mol/L  V=250mL", 630, -600, kSmall, kLeft},
                     {"V=2.8L  p=101.325kPa  T=25C", 1430, -1020, kSmall, kLeft}});
    // A plain amount has no condition line.
    for (const RecordedText& t : dc.texts)
        EXPECT_NE(t.y, -900) << t.text;
}

TEST(PrintoutLayout, ALimitingProductNamesItsOwnFootnote) {
    AppTestHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("H2 + O2 = H2O"));
    // Enough oxygen for 4 mol of water, which was asked for 2 mol of: the water limits.
    CQELTReagent* oxygen = document.GetReagent(1);
    oxygen->enteredMass = CEditableDouble(oxygen->GetMolarMass() * 2, 4);
    oxygen->enteredMoles = CEditableDouble(2.0, 4);
    CQELTReagent* water = document.GetReagent(CQELTDoc::kFirstProductRow);
    water->enteredMass = CEditableDouble(water->GetMolarMass() * 2, 4);
    water->enteredMoles = CEditableDouble(2.0, 4);
    ASSERT_TRUE(document.BalanceReaction());
    RecordingSurface dc(true);
    printout::DrawReaction(dc, document);
    ExpectItems(dc,
                {{"*", 1190, -840, kSmall, kLeft}, {"*limits reactant amounts", 110, -960, kSmall, kLeft}});
    EXPECT_FALSE(Drawn(dc, "*limiting reagent"));
    EXPECT_TRUE(Drawn(dc, "excess left: 31.9988g   1m"));
}

} // namespace
