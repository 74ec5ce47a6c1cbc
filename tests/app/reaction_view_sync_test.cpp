// Several views of one reaction stay in step through every edit, and no keystroke is ever swallowed: not
// after a box was left holding a rejected text, not after a refused data exchange, not while another view
// adds or removes rows.
#include "platform/ui/command_ids.h"
#include "reaction_view_harness.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

using namespace view_test;
using namespace reaction_view;

namespace {

void Press(CQELTView& view, int id) {
    QTest::mouseClick(qobject_cast<QAbstractButton*>(view.GetDlgItem(id)), Qt::LeftButton);
}

// Every box and label of the rows of two views shows the same.
void ExpectSameTexts(CQELTView& a, CQELTView& b) {
    ASSERT_EQ(a.ReactantRowCount(), b.ReactantRowCount());
    ASSERT_EQ(a.ProductRowCount(), b.ProductRowCount());
    for (int row = 0; row < kRowCount; ++row) {
        if (!a.RowExists(row))
            continue;
        for (int slot :
             {kFormulaSlot, kMolarMassSlot, kMolesSlot, kMassSlot, kComputedMolesSlot, kComputedMassSlot})
            EXPECT_EQ(Text(a, row, slot), Text(b, row, slot)) << "row " << row << " slot " << slot;
        for (int slot : {kMolesSlot, kMassSlot})
            EXPECT_EQ(TextColor(a.RowControl(row, slot)), TextColor(b.RowControl(row, slot))) << row;
    }
}

class ThreeViews : public ::testing::Test {
protected:
    ReactionWindows windows{"Fe2O3 + CO = Fe + CO2"};
    CQELTView1* first = windows.OpenDefault();
    CQELTView2* alternate = windows.OpenAlternate();
    CQELTView1* second = windows.Open(new CQELTView1, ReactionWindows::kDefaultTemplate);
};

TEST_F(ThreeViews, TypingInAnyViewShowsInAll) {
    Retype(Edit(*alternate, 0, kMassSlot), "159.7");
    ExpectSameTexts(*first, *alternate);
    ExpectSameTexts(*second, *alternate);
    EXPECT_EQ(Text(*second, 128, kComputedMolesSlot), "2.000 mol");

    Retype(Edit(*second, 1, kMassSlot), "42");
    ExpectSameTexts(*first, *second);
    ExpectSameTexts(*alternate, *second);
    EXPECT_EQ(TextColor(first->RowControl(0, kMassSlot)), QColor(255, 0, 0));

    Retype(Edit(*first, 129, kFormulaSlot), "CO2(g)");
    ExpectSameTexts(*alternate, *first);
    ExpectSameTexts(*second, *first);
    EXPECT_EQ(Text(*alternate, 129, kCoefficientSlot), "3");
}

TEST_F(ThreeViews, RowsAddedAndRemovedAnywhereAppearEverywhere) {
    Press(*alternate, kAddProductButton);
    Press(*first, kAddReactantButton);
    Type(Edit(*second, 2, kFormulaSlot), "C");
    Type(Edit(*alternate, 130, kFormulaSlot), "O2");
    for (CQELTView* view : {static_cast<CQELTView*>(first), static_cast<CQELTView*>(alternate),
                            static_cast<CQELTView*>(second)}) {
        EXPECT_EQ(view->ReactantRowCount(), 3);
        EXPECT_EQ(view->ProductRowCount(), 3);
        EXPECT_EQ(Text(*view, 2, kFormulaSlot), "C");
        EXPECT_EQ(Text(*view, 130, kFormulaSlot), "O2");
    }
    Press(*second, kRemoveBase + 1);
    Press(*first, kRemoveBase + 129);
    EXPECT_EQ(windows.doc->GetReactantCount(), 2);
    EXPECT_EQ(windows.doc->GetProductCount(), 2);
    ExpectSameTexts(*first, *alternate);
    ExpectSameTexts(*second, *alternate);
    EXPECT_EQ(Text(*first, 1, kFormulaSlot), "C");
    EXPECT_EQ(Text(*second, 129, kFormulaSlot), "O2");
}

TEST_F(ThreeViews, ClearAmountsClearsEveryView) {
    Retype(Edit(*first, 0, kMassSlot), "10");
    Retype(Edit(*first, 1, kMassSlot), "10");
    Press(*alternate, kClearAmountsButton);
    for (CQELTView* view : {static_cast<CQELTView*>(first), static_cast<CQELTView*>(second)}) {
        EXPECT_EQ(Text(*view, 0, kMassSlot), "0");
        EXPECT_EQ(Text(*view, 1, kMolesSlot), "0");
        EXPECT_EQ(Text(*view, 128, kComputedMassSlot), "");
        EXPECT_NE(TextColor(view->RowControl(0, kMassSlot)), QColor(255, 0, 0));
        EXPECT_FALSE(view->GetDlgItem(kClearAmountsButton)->isEnabled());
    }
}

class Keystrokes : public ::testing::Test {
protected:
    test_support::MessageBoxRecorder boxes;
    ReactionWindows windows{"2H2 + O2 = 2H2O"};
    CQELTView1* view = windows.OpenDefault();
    CQELTView2* other = windows.OpenAlternate();
};

TEST_F(Keystrokes, LeavingABoxWithARejectedTextSwallowsNothing) {
    QLineEdit* mass = Edit(*view, 0, kMassSlot);
    Retype(mass, "4");
    QTest::keyClicks(mass, "x");
    EXPECT_EQ(boxes.texts, QStringList{"Enter a number."});
    // The refused text stays; the focus moves on to the next box.
    QTest::keyClick(mass, Qt::Key_Tab);
    EXPECT_FALSE(mass->hasFocus());
    EXPECT_EQ(mass->text(), "4x");

    // The very next keystroke anywhere is processed.
    QLineEdit* moles = Edit(*view, 1, kMolesSlot);
    Retype(moles, "1");
    EXPECT_EQ(Text(*view, 1, kMassSlot), "32.00");
    EXPECT_EQ(Text(*other, 1, kMolesSlot), "1");

    // And so is the next one back in the box that was left.
    mass->setFocus(Qt::MouseFocusReason);
    mass->setCursorPosition(2);
    QTest::keyClick(mass, Qt::Key_Backspace);
    EXPECT_EQ(mass->text(), "4");
    EXPECT_EQ(Text(*view, 0, kMolesSlot), "1.984");
    EXPECT_EQ(Text(*other, 0, kMassSlot), "4");
}

TEST_F(Keystrokes, ARefusedExchangeStopsItsHandlerAndTheNextKeyCounts) {
    QLineEdit* mass = Edit(*view, 128, kMassSlot);
    Retype(mass, "1-");
    EXPECT_EQ(boxes.texts, QStringList{"Enter a number."});
    // Nothing of the refused text reached the document or the other view.
    EXPECT_DOUBLE_EQ(windows.doc->GetReagent(128)->enteredMass.value, 1.0);
    EXPECT_EQ(Text(*other, 128, kMassSlot), "1");
    // The refused box has the focus with its text selected; typing goes on.
    EXPECT_TRUE(mass->hasFocus());
    EXPECT_EQ(mass->selectedText(), "1-");
    QTest::keyClicks(mass, "9");
    EXPECT_EQ(mass->text(), "9");
    EXPECT_EQ(Text(*other, 128, kMassSlot), "9");
    EXPECT_EQ(Text(*view, 128, kMolesSlot), "0.4996");
    QTest::keyClicks(mass, "0");
    EXPECT_EQ(Text(*other, 128, kMassSlot), "90");
    EXPECT_EQ(boxes.texts.size(), 1);
}

TEST_F(Keystrokes, RowHintsAreNeverSkipped) {
    // An amount typed here (its own rewrite), then a row added and removed over there.
    Retype(Edit(*view, 0, kMassSlot), "4");
    Press(*other, kAddProductButton);
    EXPECT_EQ(view->ProductRowCount(), 2);
    QLineEdit* mass = Edit(*view, 0, kMassSlot);
    mass->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(mass, Qt::Key_End);
    QTest::keyClicks(mass, "2");
    Press(*other, kRemoveBase + 129);
    EXPECT_EQ(view->ProductRowCount(), 1);
    // A refused text left here does not stop the hints either.
    QLineEdit* moles = Edit(*view, 128, kMolesSlot);
    Retype(moles, "e5x");
    Press(*other, kAddReactantButton);
    EXPECT_EQ(view->ReactantRowCount(), 3);
    EXPECT_EQ(Text(*view, 0, kMassSlot), "42");
    EXPECT_EQ(Text(*other, 0, kMassSlot), "42");
}

TEST_F(Keystrokes, FormulaEditsAreAllProcessed) {
    QLineEdit* formula = Edit(*other, 1, kFormulaSlot);
    Retype(formula, "O");
    QTest::keyClicks(formula, "3");
    EXPECT_EQ(Text(*view, 1, kFormulaSlot), "O3");
    EXPECT_EQ(windows.doc->GetBalancedCoefficients(), (std::vector<int>{3, 1, 3}));
    QTest::keyClick(formula, Qt::Key_Backspace);
    QTest::keyClicks(formula, "2");
    EXPECT_EQ(Text(*view, 1, kFormulaSlot), "O2");
    EXPECT_EQ(windows.doc->GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
}

TEST_F(Keystrokes, CutAndPasteGoThroughTheEditCommands) {
    QLineEdit* mass = Edit(*view, 0, kMassSlot);
    Retype(mass, "12");
    mass->selectAll();
    ui::CmdUI copy(ui::cmd::EditCopy);
    ASSERT_TRUE(view->RouteUpdate(copy));
    EXPECT_TRUE(copy.Enabled());
    EXPECT_TRUE(view->RouteCommand(ui::cmd::EditCut));
    EXPECT_EQ(mass->text(), "");
    EXPECT_EQ(Text(*other, 0, kMassSlot), "0");
    ui::CmdUI paste(ui::cmd::EditPaste);
    ASSERT_TRUE(view->RouteUpdate(paste));
    EXPECT_TRUE(paste.Enabled());
    EXPECT_TRUE(view->RouteCommand(ui::cmd::EditPaste));
    EXPECT_EQ(mass->text(), "12");
    EXPECT_EQ(Text(*other, 0, kMassSlot), "12");
    EXPECT_EQ(Text(*view, 0, kMolesSlot), "5.953");
    // Nothing selected: nothing to copy.
    mass->deselect();
    ui::CmdUI again(ui::cmd::EditCopy);
    view->RouteUpdate(again);
    EXPECT_FALSE(again.Enabled());
}

} // namespace
