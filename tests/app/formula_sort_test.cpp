// The formula sort dialog: the typed formula and its composition in the order C, H, N, O, S, P and the
// rest, each weighed, and the eight copy buttons with their clipboard formats.
#include "app/controls/static_formula_frame.h"
#include "app/dialogs/formula_sort.h"
#include "app_test_host.h"
#include "platform/ui/clipboard.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FormulaSortDialog : public ::testing::Test {
protected:
    void SetUp() override { dialog.Create(); }

    void Type(const QString& text) {
        QLineEdit* edit = dialog.Control<QLineEdit>(CFormulaSort::kFormulaEdit);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    CStaticFormulaFrame* Frame(int id) {
        return dynamic_cast<CStaticFormulaFrame*>(dialog.GetDlgItem(id + CStaticFormulaFrame::kIdOffset));
    }
    void Press(int id) { QTest::mouseClick(dialog.Control<QPushButton>(id), Qt::LeftButton); }

    AppTestHost host;
    CFormulaSort dialog;
};

TEST_F(FormulaSortDialog, ShowsTheTypedAndTheSortedFormulaWithTheirMolarMasses) {
    ASSERT_NE(Frame(CFormulaSort::kTypedFrame), nullptr);
    ASSERT_NE(Frame(CFormulaSort::kSortedFrame), nullptr);
    Type("H2SO4");
    EXPECT_EQ(dialog.SortedText(), "H2O4S");
    EXPECT_EQ(Frame(CFormulaSort::kTypedFrame)->GetText(), "H2SO4");
    EXPECT_EQ(Frame(CFormulaSort::kSortedFrame)->GetText(), "H2O4S");
    EXPECT_EQ(Frame(CFormulaSort::kTypedFrame)->Caption(), "98.08");
    EXPECT_EQ(Frame(CFormulaSort::kSortedFrame)->Caption(), "98.08");

    const std::pair<const char*, const char*> cases[] = {
        {"C2H5OH", "C2H6O"},          {"CH3COOH", "C2H4O2"},     {"NaHCO3", "CHO3Na"},
        {"CuSO_4&5H_2O", "H10O9SCu"}, {"NaCl,2H2O", "H4O2NaCl"}, {"Xx", ""},
    };
    for (const auto& [typed, sorted] : cases) {
        Type(QString::fromLatin1(typed));
        EXPECT_EQ(dialog.TypedText(), typed);
        EXPECT_EQ(dialog.SortedText(), sorted) << typed;
    }
    Type("Xx");
    EXPECT_EQ(Frame(CFormulaSort::kSortedFrame)->Caption(), "")
        << "a formula that does not parse weighs nothing";

    Type("CuSO_4&5H_2O");
    test_support::SaveScreenshot(dialog, "formula_sort_dialog");
}

TEST_F(FormulaSortDialog, CopiesEitherFormInFourSyntaxes) {
    Type("H2SO4");
    const struct {
        int button;
        const char* text;
        const char* rich; // nullptr: no rich text beside the text
    } cases[] = {
        {CFormulaSort::kCopyOriginalText, "H2SO4", "{\\rtf1\\ansi{H{\\sub 2}SO{\\sub 4}}}"},
        {CFormulaSort::kCopyOriginalHtml, "H<sub>2</sub>SO<sub>4</sub>",
         "{\\rtf1\\ansi{H{\\sub 2}SO{\\sub 4}}}"},
        {CFormulaSort::kCopyOriginalUBBC, "H[sub]2[/sub]SO[sub]4[/sub]", nullptr},
        {CFormulaSort::kCopyOriginalLaTeX, "\\textrm{H}_{2}\\textrm{SO}_{4}", nullptr},
        {CFormulaSort::kCopySortedText, "H2O4S", "{\\rtf1\\ansi{H{\\sub 2}O{\\sub 4}S}}"},
        {CFormulaSort::kCopySortedHtml, "H<sub>2</sub>O<sub>4</sub>S",
         "{\\rtf1\\ansi{H{\\sub 2}O{\\sub 4}S}}"},
        {CFormulaSort::kCopySortedUBBC, "H[sub]2[/sub]O[sub]4[/sub]S", nullptr},
        {CFormulaSort::kCopySortedLaTeX, "\\textrm{H}_{2}\\textrm{O}_{4}\\textrm{S}", nullptr},
    };
    for (const auto& c : cases) {
        // Every copy replaces what the one before left, rich text included.
        Press(c.button);
        EXPECT_EQ(ui::ClipboardTextBytes(), c.text) << c.button;
        EXPECT_EQ(ui::ClipboardRichText().toStdString(), c.rich ? c.rich : "") << c.button;
    }
}

TEST_F(FormulaSortDialog, HydrateDotsAndAnEmptyFormulaAreCopiedAsTheyStand) {
    Type("CuSO_4&5H_2O");
    Press(CFormulaSort::kCopyOriginalHtml);
    EXPECT_EQ(ui::ClipboardTextBytes(), "CuSO<sub>4</sub>&middot;5H<sub>2</sub>O");
    EXPECT_EQ(ui::ClipboardRichText().toStdString(), "{\\rtf1\\ansi{CuSO{\\sub 4}{\\super .}5H{\\sub 2}O}}");
    Press(CFormulaSort::kCopyOriginalText);
    EXPECT_EQ(ui::ClipboardTextBytes(), "CuSO_4&5H_2O") << "the text as typed, mark-up and all";
    Press(CFormulaSort::kCopyOriginalLaTeX);
    EXPECT_EQ(ui::ClipboardTextBytes(), "\\textrm{CuSO}_{4}\\cdot\\textrm{5H}_{2}\\textrm{O}");

    Type("");
    Press(CFormulaSort::kCopySortedUBBC);
    EXPECT_EQ(ui::ClipboardTextBytes(), "");
    for (int id : {2061, 2062, 2057, 2058, 2063, 2064, 2059, 2060})
        EXPECT_TRUE(dialog.GetDlgItem(id)->isEnabled()) << id;
}

} // namespace
