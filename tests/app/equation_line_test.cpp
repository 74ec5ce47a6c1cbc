// The equation line of the default view, drawn on a recording surface: its terms, their coefficients and
// colours, the fonts of normal and small characters, and the places of the signs between the columns.
#include "app/equation_line.h"
#include "app/painter_surface.h"
#include "model/chemical_formula.h"
#include "reaction_view_harness.h"
#include "support/recording_surface.h"
#include "ui_test_support.h"

#include <QFontMetrics>
#include <climits>

#include <gtest/gtest.h>

using namespace view_test;
using namespace reaction_view;

namespace {

constexpr ColorRef kGreen = 0x008000;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kRed = 0x0000FF;

std::vector<std::string> Terms(const CQELTDoc& doc) {
    std::vector<std::string> terms;
    for (int row = 0; row < kRowCount; ++row) {
        if (doc.GetReagent(row) != nullptr)
            terms.push_back(equation_line::BuildTerm(doc, row).text);
    }
    return terms;
}

// The texts drawn in one font and colour, with the character drawn.
std::vector<RecordedText> Drawn(const RecordingSurface& surface, const std::string& text) {
    std::vector<RecordedText> found;
    for (const RecordedText& t : surface.texts) {
        if (t.text == text)
            found.push_back(t);
    }
    return found;
}

TEST(EquationLineTerms, FollowTheCoefficientsInUse) {
    ReactionWindows windows("H2 + O2 = H2O");
    CQELTDoc& doc = *windows.doc;
    EXPECT_EQ(Terms(doc), (std::vector<std::string>{"2H2", "O2", "2H2O"}));
    EXPECT_EQ(equation_line::BuildTerm(doc, 1).coefficientColor, kGreen);

    // Manual coefficients: every one is shown, 1 included, blue while they balance.
    doc.SetManualCoefficients(true);
    doc.SetManualCoefficient(0, 2);
    doc.SetManualCoefficient(1, 1);
    doc.SetManualCoefficient(2, 2);
    doc.BalanceReaction();
    EXPECT_EQ(Terms(doc), (std::vector<std::string>{"2H2", "1O2", "2H2O"}));
    EXPECT_EQ(equation_line::BuildTerm(doc, 1).coefficientColor, kBlue);
    doc.SetManualCoefficient(1, 3);
    doc.VerifyBalance();
    EXPECT_EQ(Terms(doc), (std::vector<std::string>{"2H2", "3O2", "2H2O"}));
    EXPECT_EQ(equation_line::BuildTerm(doc, 0).coefficientColor, kRed);

    // A reaction that cannot be balanced: every term is "?" and its formula.
    doc.SetManualCoefficients(false);
    doc.GetReagent(128)->SetFormulaText("NaCl");
    doc.SetComposition(128, doc.GetReagent(128)->GetComposition());
    EXPECT_FALSE(doc.BalanceReaction());
    EXPECT_EQ(Terms(doc), (std::vector<std::string>{"?H2", "?O2", "?NaCl"}));

    // An empty formula has no term.
    doc.GetReagent(1)->SetFormulaText("");
    EXPECT_EQ(equation_line::BuildTerm(doc, 1).text, "");
}

TEST(EquationLineDrawing, TermsSitOverTheirColumnsWithSignsBetween) {
    ReactionWindows windows("H2 + O2 = H2O");
    CQELTView1* view = windows.OpenDefault();
    const equation_line::Layout layout = view->EquationLayout();
    ASSERT_EQ(layout.cells.size(), 3u);
    EXPECT_EQ(layout.nReactants, 2);
    EXPECT_EQ(layout.nProducts, 1);
    EXPECT_GT(layout.pitchX, 0);
    EXPECT_GT(layout.productOffsetX, 0);

    RecordingSurface surface;
    view->PaintEquation(surface);
    EXPECT_EQ(surface.DrawnText(), "2H2O22H2O+=");
    EXPECT_EQ(surface.SaveDepth(), 0);

    // Coefficients green, formulas in the surface's text colour; normal characters in the big font,
    // subscripts in the small one.
    const std::vector<RecordedText> twos = Drawn(surface, "2");
    ASSERT_EQ(twos.size(), 5u);
    EXPECT_EQ(twos[0].textColor, kGreen);
    EXPECT_EQ(twos[0].font, equation_line::BigFont());
    EXPECT_EQ(twos[1].font, equation_line::SmallFont());
    EXPECT_EQ(twos[1].textColor, kDefaultTextColor);
    EXPECT_GT(twos[1].y, twos[0].y);
    EXPECT_EQ(Drawn(surface, "H")[0].font, equation_line::BigFont());
    EXPECT_EQ(equation_line::BigFont(), (FontSpec{"Arial", 24, 700, 0x22}));
    EXPECT_EQ(equation_line::SmallFont(), (FontSpec{"Arial", 12, 700, 0x22}));

    // Each term is centred over its column's placeholder.
    const auto centre = [&](int cell) {
        return (layout.cells[cell].rect.left + layout.cells[cell].rect.right) / 2;
    };
    const std::vector<RecordedText> hs = Drawn(surface, "H");
    const std::vector<RecordedText> os = Drawn(surface, "O");
    ASSERT_EQ(hs.size(), 2u);
    ASSERT_EQ(os.size(), 2u);
    // "O2" is 2 normal and 1 small character wide (12 + 6 with the recording measure): it starts 9 left of
    // the middle.
    EXPECT_EQ(os[0].x, centre(1) - 9);
    EXPECT_EQ(twos[0].x, centre(0) - (12 + 12 + 6) / 2);

    // "+" midway between the reactant columns, "=" midway between the sides, shifted by half the gap.
    const int x0 = (layout.templateRect.left + layout.templateRect.right) / 2;
    const int yc = (layout.templateRect.top + layout.templateRect.bottom) / 2;
    const RecordedText plus = Drawn(surface, "+").at(0);
    const RecordedText equals = Drawn(surface, "=").at(0);
    EXPECT_EQ(plus.x, x0 + layout.pitchX - layout.pitchX / 2);
    EXPECT_EQ(equals.x, x0 + 2 * layout.pitchX + layout.productOffsetX / 2 - layout.pitchX / 2);
    EXPECT_EQ(plus.y, yc - 12 + 2);
    EXPECT_EQ(equals.y, plus.y);
    EXPECT_EQ(plus.align, TextAlign::Center | TextAlign::Top);
    EXPECT_EQ(plus.backgroundMode, BackgroundMode::Transparent);
    EXPECT_EQ(plus.font, equation_line::BigFont());
}

TEST(EquationLineDrawing, SignsBetweenSeveralProducts) {
    ReactionWindows windows("Cu + HNO3 = Cu(NO3)2 + NO + H2O");
    CQELTView1* view = windows.OpenDefault();
    const equation_line::Layout layout = view->EquationLayout();
    RecordingSurface surface;
    view->PaintEquation(surface);
    const std::vector<RecordedText> plus = Drawn(surface, "+");
    ASSERT_EQ(plus.size(), 3u);
    const int x0 = (layout.templateRect.left + layout.templateRect.right) / 2;
    const int p = layout.pitchX;
    EXPECT_EQ(plus[0].x, x0 + p - p / 2);
    EXPECT_EQ(plus[1].x, x0 + 3 * p + layout.productOffsetX - p / 2);
    EXPECT_EQ(plus[2].x, x0 + 4 * p + layout.productOffsetX - p / 2);
    EXPECT_EQ(Drawn(surface, "=").size(), 1u);
    // Coefficients 3, 8, 3, 2, 4; the parentheses of Cu(NO3)2 stay normal characters.
    EXPECT_EQ(surface.DrawnText(), "3Cu8HNO33Cu(NO3)22NO4H2O+++=");
}

TEST(EquationLineDrawing, UnknownCoefficientsAndManualColours) {
    ReactionWindows windows("H2 + O2 = NaCl");
    CQELTView1* view = windows.OpenDefault();
    RecordingSurface unknown;
    view->PaintEquation(unknown);
    EXPECT_EQ(unknown.DrawnText(), "?H2?O2?NaCl+=");
    EXPECT_EQ(Drawn(unknown, "?").at(0).textColor, ChemicalFormula::kUnknownCoefficientColor);

    Retype(Edit(*view, 128, kFormulaSlot), "H2O");
    QTest::mouseClick(qobject_cast<QAbstractButton*>(view->GetDlgItem(kManualCoefficientsCheck)),
                      Qt::LeftButton);
    RecordingSurface balanced;
    view->PaintEquation(balanced);
    EXPECT_EQ(balanced.DrawnText(), "2H21O22H2O+=");
    for (const RecordedText& t : balanced.texts) {
        if (t.text == "1" || (t.text == "2" && t.font == equation_line::BigFont())) {
            EXPECT_EQ(t.textColor, kBlue) << t.text;
        }
    }
    windows.doc->SetManualCoefficient(1, 2);
    windows.doc->VerifyBalance();
    RecordingSurface unbalanced;
    view->PaintEquation(unbalanced);
    EXPECT_EQ(unbalanced.DrawnText(), "2H22O22H2O+=");
    EXPECT_EQ(unbalanced.texts.at(0).textColor, kRed);
}

// A term wider than its column is shrunk to the room between its signs, measured with the real fonts: no two
// terms, and no term and sign, overlap, and the first term starts inside the form.
TEST(EquationLineDrawing, WideTermsShrinkToTheirColumns) {
    ReactionWindows windows(
        "[Cr(N2H4CO)6]4[Cr(CN)6]3 + KMnO4 + H2SO4 = K2Cr2O7 + MnSO4 + CO2 + KNO3 + K2SO4 + "
        "H2O");
    CQELTView1* view = windows.OpenDefault();
    ASSERT_EQ(windows.doc->GetBalancedCoefficients(),
              (std::vector<int>{10, 1176, 1399, 35, 1176, 420, 660, 223, 1879}));
    RecordingSurface surface;
    surface.advance = [](const FontSpec& spec, char c) {
        return QFontMetrics(PainterSurface::ToQFont(spec, QApplication::font())).horizontalAdvance(QChar(c));
    };
    view->PaintEquation(surface);

    // The drawn extent of each term, then of each sign, left to right.
    struct Extent {
        int left, right;
        bool shrunk;
    };
    std::vector<Extent> terms;
    std::size_t next = 0;
    for (const equation_line::Layout::Cell& cell : view->EquationLayout().cells) {
        ChemicalFormula formula;
        formula.SetText(equation_line::BuildTerm(*windows.doc, cell.row).text, true);
        Extent extent{INT_MAX, INT_MIN, false};
        for (int i = 0; i < formula.GetLength(); ++i, ++next) {
            const RecordedText& t = surface.texts.at(next);
            extent.left = std::min(extent.left, t.x);
            extent.right = std::max(extent.right, t.x + surface.advance(t.font, t.text[0]));
            extent.shrunk |= !(t.font == equation_line::BigFont() || t.font == equation_line::SmallFont());
        }
        terms.push_back(extent);
    }
    std::vector<Extent> signs;
    for (; next < surface.texts.size(); ++next) {
        const RecordedText& t = surface.texts[next];
        const int width = surface.advance(t.font, t.text[0]);
        signs.push_back({t.x - width / 2, t.x - width / 2 + width, false});
    }
    std::sort(signs.begin(), signs.end(), [](const Extent& a, const Extent& b) { return a.left < b.left; });
    ASSERT_EQ(terms.size(), 9u);
    ASSERT_EQ(signs.size(), 8u);
    EXPECT_GE(terms[0].left, 0);
    EXPECT_TRUE(terms[0].shrunk);  // the complex salt
    EXPECT_FALSE(terms[5].shrunk); // CO2 fits
    for (std::size_t k = 0; k < signs.size(); ++k) {
        EXPECT_LE(terms[k].right, signs[k].left) << k;
        EXPECT_LE(signs[k].right, terms[k + 1].left) << k;
    }

    QApplication::processEvents();
    test_support::SaveScreenshot(*view, "equation_line_chromium");
}

} // namespace

TEST(EquationLineDrawing, APartialPaintDrawsWhatReachesIntoIt) {
    ReactionWindows windows("Cu + HNO3 = Cu(NO3)2 + NO + H2O");
    CQELTView1* view = windows.OpenDefault();
    const equation_line::Layout layout = view->EquationLayout();
    RecordingSurface whole;
    view->PaintEquation(whole);

    // Painting the first column's placeholder: its term, and its neighbour, which may spill into it.
    const SurfaceRect first = layout.cells.at(0).rect;
    RecordingSurface part;
    view->PaintEquation(part, &first);
    EXPECT_EQ(part.DrawnText().rfind("3Cu8HNO3", 0), 0u) << part.DrawnText();
    EXPECT_EQ(part.DrawnText().find("H2O"), std::string::npos);
    EXPECT_LT(part.texts.size(), whole.texts.size());

    // The whole line drawn piece by piece holds every text of the line drawn at once.
    const SurfaceRect everything{layout.cells.front().rect.left - 1000, first.top - 100,
                                 layout.cells.back().rect.right + 1000, first.bottom + 100};
    RecordingSurface all;
    view->PaintEquation(all, &everything);
    EXPECT_EQ(all.DrawnText(), whole.DrawnText());
}
