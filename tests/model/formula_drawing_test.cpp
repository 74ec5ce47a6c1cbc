#include "model/chemical_formula.h"

#include "model/drawing_surface.h"
#include "support/recording_surface.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// With the recording surface's measure, normal characters advance 10 and small ones 6.
const FontSpec kNormal{"Arial", 20, 400, FontSpec::kVariableSwiss};
const FontSpec kSmall{"Arial", 12, 400, FontSpec::kVariableSwiss};
// |20| × 23 / 40: how far subscripts drop below the line.
constexpr int kDrop = 11;

struct Glyph {
    int x;
    int y;
    std::string text;
    bool small;
    bool operator==(const Glyph&) const = default;
};

void PrintTo(const Glyph& g, std::ostream* os) {
    *os << "(" << g.x << ", " << g.y << ", \"" << g.text << "\"" << (g.small ? ", small)" : ")");
}

std::vector<Glyph> Glyphs(const RecordingSurface& surface) {
    std::vector<Glyph> glyphs;
    for (const RecordedText& t : surface.texts)
        glyphs.push_back({t.x, t.y, t.text, t.font == kSmall});
    return glyphs;
}

TEST(FormulaDrawing, PlacesEachCharacterByStyle) {
    RecordingSurface surface;
    ChemicalFormula("CuSO_4&5H_2O^+").DrawAt(surface, kNormal, kSmall, 100, 50, TextAlign::Left, false);
    EXPECT_EQ(Glyphs(surface), (std::vector<Glyph>{{100, 50, "C", false},
                                                   {110, 50, "u", false},
                                                   {120, 50, "S", false},
                                                   {130, 50, "O", false},
                                                   {140, 50 + kDrop, "4", true},
                                                   {146, 50 - (2 * kDrop) / 5, ".", false},
                                                   {156, 50, "5", false},
                                                   {166, 50, "H", false},
                                                   {176, 50 + kDrop, "2", true},
                                                   {182, 50, "O", false},
                                                   {192, 50, "+", true}}));
    for (const RecordedText& t : surface.texts) {
        EXPECT_EQ(t.align, TextAlign::Left | TextAlign::Top);
        EXPECT_EQ(t.backgroundMode, BackgroundMode::Transparent);
        EXPECT_EQ(t.textColor, kDefaultTextColor);
    }
    // Everything the drawing changed on the surface is put back.
    EXPECT_EQ(surface.SaveDepth(), 0);
    EXPECT_EQ(surface.Current().backgroundMode, BackgroundMode::Opaque);
}

TEST(FormulaDrawing, PlainDrawingLiftsSmallCharactersAndKeepsTheTextColour) {
    RecordingSurface surface;
    surface.SetTextColor(0x123456);
    ChemicalFormula formula("2NH_4^+^{2}");
    formula.SetCoefficientColor(0x008000);
    formula.DrawAt(surface, kNormal, kSmall, 0, 50, TextAlign::Left, true);
    EXPECT_EQ(Glyphs(surface), (std::vector<Glyph>{{0, 50, "2", false},
                                                   {10, 50, "N", false},
                                                   {20, 50, "H", false},
                                                   {30, 50 + kDrop - 1, "4", true},
                                                   {36, 48, "+", true},
                                                   {42, 49, "2", true}}));
    for (const RecordedText& t : surface.texts)
        EXPECT_EQ(t.textColor, 0x123456u);
}

TEST(FormulaDrawing, ColoursEachCharacterUnlessPlain) {
    RecordingSurface surface;
    ChemicalFormula formula("12H2O");
    formula.SetCoefficientColor(0xFF0000);
    formula.DrawAt(surface, kNormal, kSmall, 0, 0, TextAlign::Left, false);
    std::vector<ColorRef> colours;
    for (const RecordedText& t : surface.texts)
        colours.push_back(t.textColor);
    EXPECT_EQ(colours, (std::vector<ColorRef>{0xFF0000, 0xFF0000, kDefaultTextColor, kDefaultTextColor,
                                              kDefaultTextColor}));
}

TEST(FormulaDrawing, SubscriptsStayBelowTheLineWhenTheYAxisPointsUp) {
    RecordingSurface page(true);
    ChemicalFormula("CuSO_4&H_2O").DrawAt(page, kNormal, kSmall, 170, -420, TextAlign::Left, false);
    ASSERT_EQ(page.texts.size(), 9u);
    EXPECT_EQ(page.texts[4].y, -420 - kDrop);
    // The dot is raised: towards larger y on such a page.
    EXPECT_EQ(page.texts[5].y, -420 + (2 * kDrop) / 5);
    EXPECT_GT(page.texts[5].y, -420);
}

TEST(FormulaDrawing, Alignment) {
    // "H2O" is 10 + 6 + 10 = 26 wide.
    struct Case {
        int alignment;
        int firstX;
    };
    for (const Case& c :
         {Case{TextAlign::Left, 100}, Case{TextAlign::Right, 74}, Case{TextAlign::Center, 87}}) {
        SCOPED_TRACE(c.alignment);
        RecordingSurface surface;
        const ChemicalFormula formula("H2O");
        formula.DrawAt(surface, kNormal, kSmall, 100, 0, c.alignment, false);
        ASSERT_EQ(surface.texts.size(), 3u);
        EXPECT_EQ(surface.texts.front().x, c.firstX);
        EXPECT_EQ(surface.texts.back().x + 10, c.firstX + 26);
    }
}

TEST(FormulaDrawing, MeasuresWithTheFontOfEachStyle) {
    RecordingSurface surface;
    surface.advance = [](const FontSpec& font, char c) {
        const int base = c == 'O' ? 12 : c == 'H' ? 10 : 5;
        return font == kSmall ? base / 2 : base;
    };
    surface.SelectFont({"Courier", 30});
    const ChemicalFormula formula("H_2O^{2+}");
    EXPECT_EQ(formula.GetExtent(surface, kNormal, kSmall), 10 + 2 + 12 + 2 + 2);
    // The font selected before measuring is selected again afterwards.
    EXPECT_EQ(surface.Current().font, (FontSpec{"Courier", 30}));
    EXPECT_EQ(surface.SaveDepth(), 0);
    // Each character is drawn where the widths before it end.
    formula.DrawAt(surface, kNormal, kSmall, 0, 0, TextAlign::Left, false);
    std::vector<int> starts;
    for (const RecordedText& t : surface.texts)
        starts.push_back(t.x);
    EXPECT_EQ(starts, (std::vector<int>{0, 10, 12, 24, 26}));

    EXPECT_EQ(ChemicalFormula("").GetExtent(surface, kNormal, kSmall), 0);
}

TEST(FormulaDrawing, DrawsOnlyTextsOfOneTo127Characters) {
    RecordingSurface surface;
    ChemicalFormula("").DrawAt(surface, kNormal, kSmall, 0, 0, TextAlign::Left, false);
    ChemicalFormula(std::string(128, 'C')).DrawAt(surface, kNormal, kSmall, 0, 0, TextAlign::Left, false);
    EXPECT_TRUE(surface.texts.empty());
    EXPECT_EQ(surface.SaveDepth(), 0);

    ChemicalFormula(std::string(127, 'C')).DrawAt(surface, kNormal, kSmall, 0, 0, TextAlign::Left, false);
    EXPECT_EQ(surface.texts.size(), 127u);
    EXPECT_EQ(surface.texts.back().x, 1260);
}

// The width a drawing covers, from the first character's left to the last one's right end.
int DrawnWidth(const RecordingSurface& surface) {
    const RecordedText& last = surface.texts.back();
    return last.x + RecordingSurface::HalfHeightAdvance(last.font, last.text[0]) - surface.texts.front().x;
}

TEST(FormulaDrawing, ShrinksToFitAWidth) {
    const ChemicalFormula formula("Ca(OH)_2");
    const int fullWidth = 6 * 10 + 6;

    // Wide enough, or no width given: the given fonts.
    for (int maxWidth : {0, fullWidth + 6, 1000}) {
        RecordingSurface surface;
        formula.Draw(surface, kNormal, kSmall, 0, 7, TextAlign::Left, false, maxWidth, 40);
        EXPECT_EQ(DrawnWidth(surface), fullWidth);
        EXPECT_EQ(surface.texts.front().font, kNormal);
        EXPECT_EQ(surface.texts.front().y, 7);
    }

    // Too narrow: bold Arial fonts, smaller, leaving a margin of 6, and y centred in the height.
    for (int maxWidth : {fullWidth + 5, 50, 30}) {
        SCOPED_TRACE(maxWidth);
        RecordingSurface surface;
        formula.Draw(surface, kNormal, kSmall, maxWidth / 2, 7, TextAlign::Center, false, maxWidth, 40);
        ASSERT_EQ(surface.texts.size(), 7u);
        EXPECT_LE(DrawnWidth(surface), maxWidth - 6);
        const FontSpec& normal = surface.texts.front().font;
        const FontSpec& small = surface.texts.back().font;
        EXPECT_EQ(normal.face, "Arial");
        EXPECT_EQ(normal.weight, 700);
        EXPECT_EQ(normal.pitchAndFamily, FontSpec::kVariableSwiss);
        EXPECT_LT(normal.height, kNormal.height);
        EXPECT_LT(small.height, kSmall.height);
        EXPECT_EQ(surface.texts.front().y, (40 - normal.height) / 2 + 4);
        EXPECT_EQ(surface.texts.back().y, surface.texts.front().y + normal.height * 23 / 40);
        EXPECT_EQ(surface.SaveDepth(), 0);
    }
}

TEST(FormulaDrawing, ShrinkingEndsEvenWhenNothingFits) {
    const ChemicalFormula formula("H2O");
    for (int maxWidth : {5, 1, -10}) {
        SCOPED_TRACE(maxWidth);
        RecordingSurface surface;
        formula.Draw(surface, kNormal, kSmall, 0, 0, TextAlign::Left, false, maxWidth, 0);
        EXPECT_EQ(surface.texts.size(), 3u);
        EXPECT_NE(surface.texts.front().font.height, 0);
        EXPECT_EQ(surface.texts.front().y, 0);
    }
}

TEST(FormulaDrawing, InAControlIsCentredOnItsMiddle) {
    RecordingSurface surface;
    surface.SetBackgroundColor(0xFFFFFF);
    const SurfaceRect control{10, 20, 110, 60};
    ChemicalFormula("H2O").DrawInControl(surface, control, 0xF0F0F0, kNormal, kSmall, TextAlign::Center);
    ASSERT_EQ(surface.texts.size(), 3u);
    // x = 60, y = 40 - 20 / 2 + 4; the 26 wide formula starts 13 left of the middle.
    EXPECT_EQ(surface.texts.front().x, 47);
    EXPECT_EQ(surface.texts.front().y, 34);
    EXPECT_EQ(surface.texts.front().backgroundColor, 0xF0F0F0u);
    EXPECT_EQ(surface.texts.front().backgroundMode, BackgroundMode::Transparent);
    EXPECT_EQ(surface.SaveDepth(), 0);
    EXPECT_EQ(surface.Current().backgroundColor, 0xFFFFFFu);
}

} // namespace
