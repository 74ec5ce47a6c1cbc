// The main road through the reaction views: a reaction from a string, balanced and shown; amounts typed with
// real key events; every other amount computed, with the excess in red.
#include "reaction_view_harness.h"
#include "ui_test_support.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace view_test;
using namespace reaction_view;

namespace {

// Types characters that have no key of their own, one key event each.
void TypeText(QWidget* edit, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

const QColor kRed(255, 0, 0);

class ReactionRoad : public ::testing::Test {
protected:
    ReactionWindows windows{"H2 + O2 = H2O"};
    CQELTView1* view = windows.OpenDefault();
};

TEST_F(ReactionRoad, NewFromStringShowsTheBalancedReaction) {
    EXPECT_EQ(windows.host.askedForString, 1);
    EXPECT_TRUE(windows.doc->IsModified());
    ASSERT_EQ(view->ReactantRowCount(), 2);
    ASSERT_EQ(view->ProductRowCount(), 1);

    EXPECT_EQ(Text(*view, 0, kFormulaSlot), "H2");
    EXPECT_EQ(Text(*view, 1, kFormulaSlot), "O2");
    EXPECT_EQ(Text(*view, 128, kFormulaSlot), "H2O");
    EXPECT_EQ(Text(*view, 0, kMolarMassSlot), "2.0159");
    EXPECT_EQ(Text(*view, 1, kMolarMassSlot), "31.9988");
    EXPECT_EQ(Text(*view, 128, kMolarMassSlot), "18.0153");
    for (int row : {0, 1, 128}) {
        EXPECT_EQ(Text(*view, row, kMolesSlot), "0") << row;
        EXPECT_EQ(Text(*view, row, kMassSlot), "0") << row;
        // No amounts yet: no results.
        EXPECT_EQ(Text(*view, row, kComputedMolesSlot), "") << row;
        EXPECT_EQ(Text(*view, row, kComputedMassSlot), "") << row;
        EXPECT_TRUE(view->RowControl(row, kFormulaSlot)->isEnabled());
        EXPECT_FALSE(view->RowControl(row, kMolarMassSlot)->isEnabled());
        EXPECT_TRUE(view->RowControl(row, kMolesSlot)->isEnabled());
    }
    EXPECT_EQ(windows.doc->GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
    EXPECT_FALSE(view->GetDlgItem(kClearAmountsButton)->isEnabled());
}

TEST_F(ReactionRoad, TypedMassGivesEveryOtherAmount) {
    QLineEdit* mass = Edit(*view, 0, kMassSlot);
    Retype(mass, "4");
    EXPECT_EQ(mass->text(), "4");
    EXPECT_EQ(Text(*view, 0, kMolesSlot), "1.984");
    EXPECT_EQ(Text(*view, 0, kComputedMolesSlot), "1.984 mol");
    EXPECT_EQ(Text(*view, 0, kComputedMassSlot), "4.000 g");
    EXPECT_EQ(Text(*view, 1, kComputedMolesSlot), "0.9921 mol");
    EXPECT_EQ(Text(*view, 1, kComputedMassSlot), "31.75 g");
    EXPECT_EQ(Text(*view, 128, kComputedMolesSlot), "1.984 mol");
    EXPECT_EQ(Text(*view, 128, kComputedMassSlot), "35.75 g");
    // One entered amount: nothing is in excess.
    EXPECT_NE(TextColor(mass), kRed);
    // A row with an amount keeps its formula; "Clear amounts" has something to clear.
    EXPECT_FALSE(view->RowControl(0, kFormulaSlot)->isEnabled());
    EXPECT_TRUE(view->GetDlgItem(kClearAmountsButton)->isEnabled());
    EXPECT_TRUE(windows.doc->IsModified());
}

TEST_F(ReactionRoad, SecondAmountMarksTheLimitingReagentAndTheExcessInRed) {
    Retype(Edit(*view, 0, kMassSlot), "4");
    Retype(Edit(*view, 1, kMassSlot), "16");
    EXPECT_EQ(Text(*view, 1, kMolesSlot), "0.5000");
    EXPECT_EQ(Text(*view, 0, kComputedMolesSlot), "1.000 mol");
    EXPECT_EQ(Text(*view, 0, kComputedMassSlot), "2.016 g");
    EXPECT_EQ(Text(*view, 1, kComputedMolesSlot), "0.5000 mol");
    EXPECT_EQ(Text(*view, 1, kComputedMassSlot), "16.00 g");
    EXPECT_EQ(Text(*view, 128, kComputedMolesSlot), "1.000 mol");
    EXPECT_EQ(Text(*view, 128, kComputedMassSlot), "18.02 g");

    EXPECT_TRUE(windows.doc->IsInExcess(0));
    EXPECT_TRUE(windows.doc->IsLimiting(1));
    EXPECT_EQ(TextColor(view->RowControl(0, kMolesSlot)), kRed);
    EXPECT_EQ(TextColor(view->RowControl(0, kMassSlot)), kRed);
    EXPECT_NE(TextColor(view->RowControl(1, kMolesSlot)), kRed);
    EXPECT_NE(TextColor(view->RowControl(1, kMassSlot)), kRed);

    // "Clear amounts" brings back the black of every amount and the formulas to edit.
    QTest::mouseClick(qobject_cast<QPushButton*>(view->GetDlgItem(kClearAmountsButton)), Qt::LeftButton);
    for (int row : {0, 1, 128}) {
        EXPECT_NE(TextColor(view->RowControl(row, kMolesSlot)), kRed) << row;
        EXPECT_EQ(Text(*view, row, kMassSlot), "0") << row;
        EXPECT_EQ(Text(*view, row, kComputedMolesSlot), "") << row;
        EXPECT_TRUE(view->RowControl(row, kFormulaSlot)->isEnabled()) << row;
    }
    EXPECT_FALSE(view->GetDlgItem(kClearAmountsButton)->isEnabled());
}

TEST_F(ReactionRoad, TypedMolesGiveTheMassWithTheirDigits) {
    Retype(Edit(*view, 128, kMolesSlot), "2.50");
    EXPECT_EQ(Text(*view, 128, kMolesSlot), "2.50");
    // 2.50 mol of water: 3 typed digits, raised to the 4 display digits.
    EXPECT_EQ(Text(*view, 128, kMassSlot), "45.04");
    EXPECT_EQ(Text(*view, 0, kComputedMolesSlot), "2.500 mol");
    EXPECT_EQ(Text(*view, 1, kComputedMolesSlot), "1.250 mol");
}

TEST_F(ReactionRoad, CaretStaysWhereTheUserTypes) {
    QLineEdit* mass = Edit(*view, 0, kMassSlot);
    Retype(mass, "1");
    QTest::keyClicks(mass, "6");
    EXPECT_EQ(mass->text(), "16");
    EXPECT_EQ(mass->cursorPosition(), 2);
    // Typing in the middle: the caret stays after the new character while the moles follow.
    mass->setCursorPosition(1);
    QTest::keyClicks(mass, "0");
    EXPECT_EQ(mass->text(), "106");
    EXPECT_EQ(mass->cursorPosition(), 2);
    EXPECT_EQ(Text(*view, 0, kMolesSlot), "52.58");
    // A comma decimal point and a trailing exponent mark are typed on undisturbed.
    Retype(mass, "1,5e");
    EXPECT_EQ(mass->text(), "1,5e");
    EXPECT_EQ(mass->cursorPosition(), 4);
    EXPECT_EQ(Text(*view, 0, kMolesSlot), "0.7441");
}

TEST_F(ReactionRoad, LeavingTheBoxShowsTheTypedDigits) {
    QLineEdit* mass = Edit(*view, 0, kMassSlot);
    Retype(mass, "4.0");
    QTest::keyClick(mass, Qt::Key_Tab);
    EXPECT_FALSE(mass->hasFocus());
    EXPECT_EQ(mass->text(), "4.0");
    // The reformat on leaving is the box's own: the entered amount and its digits stay.
    EXPECT_DOUBLE_EQ(windows.doc->GetReagent(0)->enteredMass.value, 4.0);
    EXPECT_EQ(windows.doc->GetReagent(0)->enteredMass.digits, 2);
    Retype(mass, "1,50");
    QTest::keyClick(mass, Qt::Key_Tab);
    EXPECT_EQ(mass->text(), "1.50");
    EXPECT_EQ(windows.doc->GetReagent(0)->enteredMass.digits, 3);
}

TEST_F(ReactionRoad, TypingAFormulaRebalancesAndStripsTheCoefficient) {
    QLineEdit* formula = Edit(*view, 128, kFormulaSlot);
    Retype(formula, "2H2O2");
    EXPECT_EQ(formula->text(), "H2O2");
    EXPECT_EQ(windows.doc->GetReagent(128)->GetFormula(), "H2O2");
    EXPECT_EQ(windows.doc->GetBalancedCoefficients(), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Text(*view, 128, kMolarMassSlot), "34.0147");
    // A formula that does not parse: no molar mass, no amounts to type, no coefficients.
    QTest::keyClicks(formula, "Xq");
    EXPECT_EQ(formula->text(), "H2O2Xq");
    EXPECT_EQ(Text(*view, 128, kMolarMassSlot), "0");
    EXPECT_FALSE(view->RowControl(128, kMolesSlot)->isEnabled());
    EXPECT_FALSE(view->RowControl(128, kMassSlot)->isEnabled());
    EXPECT_FALSE(windows.doc->HasBalancedCoefficients());
    EXPECT_EQ(windows.host.statusText, "Can't balance - empty product or error in formula.");
    // Trailing blanks go; the caret stays at the end of what is left.
    QTest::keyClick(formula, Qt::Key_Backspace);
    QTest::keyClick(formula, Qt::Key_Backspace);
    QTest::keyClicks(formula, " ");
    EXPECT_EQ(formula->text(), "H2O2");
    EXPECT_EQ(formula->cursorPosition(), 4);
    QTest::keyClicks(formula, "H");
    EXPECT_EQ(formula->text(), "H2O2H");
}

TEST_F(ReactionRoad, UnicodeChemistryTypedOrPastedIsTakenInTheNotation) {
    QLineEdit* formula = Edit(*view, 128, kFormulaSlot);
    formula->setFocus(Qt::MouseFocusReason);
    formula->selectAll();
    QGuiApplication::clipboard()->setText(QString::fromUtf8("H₂O₂"));
    formula->paste();
    EXPECT_EQ(formula->text(), "H2O2");
    EXPECT_EQ(windows.doc->GetBalancedCoefficients(), (std::vector<int>{1, 1, 1}));
    QGuiApplication::clipboard()->clear();

    // Typed at the front, a charge in superscripts: the caret stays after what was typed.
    formula->selectAll();
    TypeText(formula, QString::fromUtf8("H₃O"));
    formula->setCursorPosition(3);
    TypeText(formula, QString::fromUtf8("⁺"));
    EXPECT_EQ(formula->text(), "H_3O^+");
    EXPECT_EQ(formula->cursorPosition(), 6);

    // A character without an equivalent is refused as it is typed and named without a message box.
    test_support::MessageBoxRecorder boxes;
    TypeText(formula, QString::fromUtf8("α"));
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_EQ(QToolTip::text(),
              QString::fromUtf8("The character \"α\" (U+03B1) cannot be used here. Please replace it."));
    EXPECT_EQ(formula->text(), "H_3O^+");
    EXPECT_EQ(windows.doc->GetReagent(128)->GetFormula(), "H_3O^+");
}

TEST_F(ReactionRoad, DefaultAndAlternateViewsOpenOnTheirCommands) {
    EXPECT_TRUE(view->RouteCommand(kAlternateUICommand));
    ASSERT_EQ(windows.frames.size(), 2u);
    auto* alternate = dynamic_cast<CQELTView2*>(windows.frames[1]->ActiveView());
    ASSERT_NE(alternate, nullptr);
    EXPECT_EQ(Text(*alternate, 1, kFormulaSlot), "O2");
    EXPECT_EQ(Text(*alternate, 1, kCoefficientSlot), "1");
    EXPECT_EQ(Text(*alternate, 128, kCoefficientSlot), "2");
    // A second Ctrl+2 only activates the alternate frame; Ctrl+1 finds the default one.
    EXPECT_TRUE(alternate->RouteCommand(kAlternateUICommand));
    EXPECT_TRUE(alternate->RouteCommand(kDefaultUICommand));
    EXPECT_EQ(windows.frames.size(), 2u);
    EXPECT_EQ(windows.doc->GetViewFrame(ModelHost::ViewKind::DefaultForm),
              static_cast<DocumentFrame*>(windows.frames[0]));
    EXPECT_EQ(windows.doc->GetViewFrame(ModelHost::ViewKind::AlternateForm),
              static_cast<DocumentFrame*>(windows.frames[1]));

    // Both follow the edits of either.
    Retype(Edit(*alternate, 0, kMassSlot), "4");
    EXPECT_EQ(Text(*view, 0, kMassSlot), "4");
    EXPECT_EQ(Text(*view, 0, kMolesSlot), "1.984");
    EXPECT_EQ(Text(*view, 1, kComputedMolesSlot), "0.9921 mol");
    Retype(Edit(*view, 1, kMassSlot), "16");
    EXPECT_EQ(Text(*alternate, 1, kMolesSlot), "0.5000");
    EXPECT_EQ(Text(*alternate, 0, kComputedMassSlot), "2.016 g");
    EXPECT_EQ(TextColor(alternate->RowControl(0, kMassSlot)), kRed);

    // Closing a view clears the document's record of its frame.
    delete windows.frames[1];
    windows.frames.pop_back();
    EXPECT_EQ(windows.doc->GetViewFrame(ModelHost::ViewKind::AlternateForm), nullptr);
}

TEST(ReactionViewNew, AnEmptyDocumentGetsOneRowPerSide) {
    ReactionWindows windows;
    CQELTView1* view = windows.OpenDefault();
    EXPECT_EQ(view->ReactantRowCount(), 1);
    EXPECT_EQ(view->ProductRowCount(), 1);
    EXPECT_EQ(windows.doc->GetReactantCount(), 1);
    EXPECT_EQ(windows.doc->GetProductCount(), 1);
    EXPECT_NE(windows.doc->GetReagent(0), nullptr);
    EXPECT_NE(windows.doc->GetReagent(128), nullptr);
    EXPECT_FALSE(windows.doc->IsModified());
    // A side with one row cannot lose it.
    EXPECT_TRUE(view->RowControl(0, kRemoveSlot)->isHidden());
    EXPECT_TRUE(view->RowControl(128, kRemoveSlot)->isHidden());
    EXPECT_TRUE(view->RowControl(0, kFormulaSlot)->hasFocus());
    // Nothing parsed yet: no amounts can be typed.
    EXPECT_FALSE(view->RowControl(0, kMolesSlot)->isEnabled());

    Type(Edit(*view, 0, kFormulaSlot), "NaOH");
    Type(Edit(*view, 128, kFormulaSlot), "Na2O");
    QTest::mouseClick(qobject_cast<QPushButton*>(view->GetDlgItem(kAddProductButton)), Qt::LeftButton);
    Type(Edit(*view, 129, kFormulaSlot), "H2O");
    EXPECT_EQ(windows.doc->GetBalancedCoefficients(), (std::vector<int>{2, 1, 1}));
    EXPECT_TRUE(windows.doc->IsModified());
    EXPECT_TRUE(view->RowControl(0, kMolesSlot)->isEnabled());
}

} // namespace
