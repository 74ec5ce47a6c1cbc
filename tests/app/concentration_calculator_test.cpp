// The concentration calculator as the user types: which boxes follow which in each mode, units, the molar
// mass from the formula, the opening for a computed amount, and the flags that swallow notifications.
#include "app/dialogs/concentration_calculator.h"
#include "app_test_host.h"
#include "calculator_test_support.h"
#include "ui_test_support.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

namespace {

using namespace calculator_test;
using C = CConcentrationCalculator;

class ConcentrationCalculatorTest : public ::testing::Test {
protected:
    AppTestHost host;
    test_support::MessageBoxRecorder boxes;
};

TEST_F(ConcentrationCalculatorTest, SolutionOfSaltInBeSmartMode) {
    C dialog;
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), "Concentration calculator n=CV");
    EXPECT_FALSE(Enabled(dialog, ui::IDOK)); // standalone: nothing to use the result for
    EXPECT_EQ(Text(dialog, C::kVolumeUnitList), "mL");
    EXPECT_EQ(Text(dialog, C::kConcentrationUnitList), "mol/L");

    Type(dialog, C::kFormulaBox, "NaCl");
    const double M = dialog.Frame().GetMolarMass();
    EXPECT_NEAR(M, 58.44, 0.01);
    EXPECT_EQ(dialog.m_M.value, M);
    EXPECT_EQ(Text(dialog, C::kMolarMassBox), "58.4428");
    EXPECT_FALSE(Enabled(dialog, C::kMolarMassBox));

    Type(dialog, C::kVolumeBox, "250");
    Type(dialog, C::kConcentrationBox, "0.1");
    // n = 0.25 L x 0.1 mol/L, counted to the display digits; mass = M x n.
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.025);
    EXPECT_EQ(dialog.m_n.digits, 4);
    EXPECT_EQ(Text(dialog, C::kMolesBox), "0.02500");
    EXPECT_DOUBLE_EQ(dialog.m_mass.value, M * 0.025);
    EXPECT_EQ(Text(dialog, C::kMassBox), "1.461");
    // The box typed in keeps the user's text and caret.
    EXPECT_EQ(Text(dialog, C::kConcentrationBox), "0.1");
    EXPECT_EQ(dialog.Control<QLineEdit>(C::kConcentrationBox)->cursorPosition(), 3);
    // An amount is given: the formula can no longer change.
    EXPECT_FALSE(Enabled(dialog, C::kFormulaBox));

    Type(dialog, C::kMassBox, "2.922");
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 2.922 / M);
    EXPECT_DOUBLE_EQ(dialog.m_C.value, 2.922 / M / 0.25);
    EXPECT_EQ(Text(dialog, C::kConcentrationBox), "0.2000");
    EXPECT_EQ(Text(dialog, C::kVolumeBox), "250");
    EXPECT_TRUE(boxes.texts.isEmpty());
    test_support::SaveScreenshot(dialog, "concentration_calculator");
}

TEST_F(ConcentrationCalculatorTest, UnitChangesKeepTheQuantities) {
    C dialog;
    dialog.Create();
    Type(dialog, C::kVolumeBox, "250");
    Type(dialog, C::kConcentrationBox, "0.1");
    const double n = dialog.m_n.value;

    Choose(dialog, C::kVolumeUnitList, "L");
    EXPECT_EQ(dialog.m_volumeUnit, 0);
    EXPECT_DOUBLE_EQ(dialog.m_V.value, 0.25);
    EXPECT_EQ(Text(dialog, C::kVolumeBox), "0.250");
    Choose(dialog, C::kConcentrationUnitList, "mmol/L");
    EXPECT_EQ(dialog.m_concentrationUnit, 1);
    EXPECT_DOUBLE_EQ(dialog.m_C.value, 100.0);
    Choose(dialog, C::kConcentrationUnitList, "mmol/mL");
    EXPECT_EQ(dialog.m_concentrationUnit, 2);
    EXPECT_DOUBLE_EQ(dialog.m_C.value, 0.1);
    Choose(dialog, C::kVolumeUnitList, "mL");
    EXPECT_DOUBLE_EQ(dialog.m_V.value, 250.0);
    // The amount did not change, and recomputing in the new units gives it again.
    EXPECT_DOUBLE_EQ(dialog.m_n.value, n);
    Type(dialog, C::kConcentrationBox, "0.1");
    EXPECT_DOUBLE_EQ(dialog.m_n.value, n);
}

TEST_F(ConcentrationCalculatorTest, ConstantQuantityModes) {
    C dialog;
    dialog.Create();
    Type(dialog, C::kMolarMassBox, "40");
    Type(dialog, C::kVolumeBox, "500");
    Type(dialog, C::kConcentrationBox, "0.2");
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.1);
    EXPECT_DOUBLE_EQ(dialog.m_mass.value, 4.0);

    // C constant: the C box is disabled, and an amount gives the volume.
    dialog.Control<QAbstractButton>(C::kConcentrationConstRadio)->click();
    EXPECT_EQ(dialog.m_mode, C::kConcentrationConst);
    EXPECT_FALSE(Enabled(dialog, C::kConcentrationBox));
    EXPECT_TRUE(Enabled(dialog, C::kVolumeBox));
    Type(dialog, C::kMassBox, "8");
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.2);
    EXPECT_DOUBLE_EQ(dialog.m_V.value, 1000.0);
    EXPECT_DOUBLE_EQ(dialog.m_C.value, 0.2);
    Type(dialog, C::kMolesBox, "0.05");
    EXPECT_DOUBLE_EQ(dialog.m_mass.value, 2.0);
    EXPECT_DOUBLE_EQ(dialog.m_V.value, 250.0);

    // V constant: the V box is disabled, and a concentration gives the amount.
    dialog.Control<QAbstractButton>(C::kVolumeConstRadio)->click();
    EXPECT_EQ(dialog.m_mode, C::kVolumeConst);
    EXPECT_FALSE(Enabled(dialog, C::kVolumeBox));
    EXPECT_TRUE(Enabled(dialog, C::kConcentrationBox));
    Type(dialog, C::kConcentrationBox, "0.4");
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.1);
    EXPECT_DOUBLE_EQ(dialog.m_mass.value, 4.0);
    EXPECT_DOUBLE_EQ(dialog.m_V.value, 250.0);
    // ... and an amount the concentration.
    Type(dialog, C::kMolesBox, "0.05");
    EXPECT_DOUBLE_EQ(dialog.m_C.value, 0.2);

    // Mass and n constant: V and C follow each other.
    dialog.Control<QAbstractButton>(C::kAmountConstRadio)->click();
    EXPECT_FALSE(Enabled(dialog, C::kMassBox));
    EXPECT_FALSE(Enabled(dialog, C::kMolesBox));
    Type(dialog, C::kVolumeBox, "100");
    EXPECT_DOUBLE_EQ(dialog.m_C.value, 0.5);
    Type(dialog, C::kConcentrationBox, "1");
    EXPECT_DOUBLE_EQ(dialog.m_V.value, 50.0);
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.05);

    // Back to "be smart": everything editable again.
    dialog.Control<QAbstractButton>(C::kBeSmartRadio)->click();
    for (int box : {C::kVolumeBox, C::kConcentrationBox, C::kMassBox, C::kMolesBox})
        EXPECT_TRUE(Enabled(dialog, box)) << box;
    EXPECT_EQ(dialog.m_mode, C::kBeSmart);
}

TEST_F(ConcentrationCalculatorTest, TheFormulaDecidesWhetherTheMolarMassIsTyped) {
    C dialog;
    dialog.Create();
    EXPECT_TRUE(Enabled(dialog, C::kMolarMassBox));
    Type(dialog, C::kFormulaBox, "H2O");
    EXPECT_FALSE(Enabled(dialog, C::kMolarMassBox));
    EXPECT_NEAR(dialog.m_M.value, 18.015, 0.001);
    EXPECT_EQ(dialog.Frame().Caption(), "18.02");
    dialog.Control<QLineEdit>(C::kFormulaBox)->selectAll();
    QTest::keyClick(dialog.GetDlgItem(C::kFormulaBox), Qt::Key_Backspace);
    EXPECT_TRUE(Enabled(dialog, C::kMolarMassBox));
    EXPECT_EQ(dialog.m_M.value, 0.0);
    EXPECT_EQ(Text(dialog, C::kMolarMassBox), "0");
    EXPECT_EQ(dialog.Frame().Caption(), "");
}

TEST_F(ConcentrationCalculatorTest, WithoutAMolarMassOrVolumeNothingIsDividedByZero) {
    C dialog;
    dialog.Create();
    Type(dialog, C::kMolesBox, "0.5");
    Type(dialog, C::kMassBox, "3");
    // M is 0: n keeps its value; V is 0: C keeps its value.
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.5);
    EXPECT_EQ(dialog.m_C.value, 0.0);
    EXPECT_EQ(Text(dialog, C::kConcentrationBox), "0");
    dialog.Control<QAbstractButton>(C::kConcentrationConstRadio)->click();
    Type(dialog, C::kMolesBox, "0.25");
    EXPECT_EQ(dialog.m_V.value, 0.0); // C is 0
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(ConcentrationCalculatorTest, ValuesOutOfRangeAreReportedWhileTyping) {
    C dialog;
    dialog.Create();
    Type(dialog, C::kMolarMassBox, "20000");
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], "Enter a number between 0 and 10000.");
    // The value out of range stays stored; the exchange stopped there.
    EXPECT_EQ(dialog.m_M.value, 20000.0);

    boxes.texts.clear();
    Type(dialog, C::kMolarMassBox, "58");
    Type(dialog, C::kMolesBox, "150");
    ASSERT_FALSE(boxes.texts.isEmpty());
    EXPECT_EQ(boxes.texts.back(), "Enter a number between 0 and 100.");
}

TEST_F(ConcentrationCalculatorTest, ClearKeepsTheFormulaAndClearAllEmptiesIt) {
    C dialog;
    dialog.Create();
    Type(dialog, C::kFormulaBox, "KCl");
    Choose(dialog, C::kVolumeUnitList, "L");
    Choose(dialog, C::kConcentrationUnitList, "mmol/L");
    Type(dialog, C::kVolumeBox, "2");
    Type(dialog, C::kConcentrationBox, "5");
    dialog.Control<QAbstractButton>(C::kVolumeConstRadio)->click();

    dialog.PressButton(C::kClearButton);
    EXPECT_EQ(dialog.m_mode, C::kBeSmart);
    EXPECT_TRUE(dialog.Control<QAbstractButton>(C::kBeSmartRadio)->isChecked());
    EXPECT_TRUE(Enabled(dialog, C::kVolumeBox));
    EXPECT_EQ(Text(dialog, C::kVolumeUnitList), "mL");
    EXPECT_EQ(Text(dialog, C::kConcentrationUnitList), "mol/L");
    for (int box : {C::kVolumeBox, C::kConcentrationBox, C::kMassBox, C::kMolesBox})
        EXPECT_EQ(Text(dialog, box), "0") << box;
    EXPECT_EQ(Text(dialog, C::kFormulaBox), "KCl");
    EXPECT_NEAR(dialog.m_M.value, 74.55, 0.01);

    dialog.PressButton(C::kClearAllButton);
    EXPECT_EQ(Text(dialog, C::kFormulaBox), "");
    EXPECT_EQ(dialog.m_M.value, 0.0);
    EXPECT_TRUE(Enabled(dialog, C::kFormulaBox));
    EXPECT_TRUE(Enabled(dialog, C::kMolarMassBox));
    EXPECT_EQ(dialog.Frame().GetText(), "");
}

TEST_F(ConcentrationCalculatorTest, OpenedForAComputedAmountOnlyVAndCMayChange) {
    C dialog;
    dialog.m_standalone = 0;
    dialog.m_fixedAmount = 1;
    dialog.m_formula = "H2O";
    dialog.m_M = 1.0; // replaced by the formula's molar mass
    dialog.m_n = 0.5;
    dialog.m_mass = 9.0;
    dialog.Create();
    EXPECT_NEAR(dialog.m_M.value, 18.015, 0.001);
    EXPECT_EQ(dialog.m_mode, C::kAmountConst);
    EXPECT_TRUE(dialog.Control<QAbstractButton>(C::kAmountConstRadio)->isChecked());
    for (int radio :
         {C::kBeSmartRadio, C::kVolumeConstRadio, C::kConcentrationConstRadio, C::kAmountConstRadio})
        EXPECT_FALSE(Enabled(dialog, radio)) << radio;
    for (int box : {C::kMassBox, C::kMolesBox, C::kFormulaBox, C::kMolarMassBox})
        EXPECT_FALSE(Enabled(dialog, box)) << box;
    EXPECT_FALSE(Enabled(dialog, ui::IDOK));
    EXPECT_FALSE(Shown(dialog, C::kClearButton));
    EXPECT_FALSE(Shown(dialog, C::kClearAllButton));

    Type(dialog, C::kVolumeBox, "500");
    EXPECT_DOUBLE_EQ(dialog.m_C.value, 1.0);
    Type(dialog, C::kConcentrationBox, "0.25");
    EXPECT_DOUBLE_EQ(dialog.m_V.value, 2000.0);
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.5);
    EXPECT_DOUBLE_EQ(dialog.m_mass.value, 9.0);
    test_support::SaveScreenshot(dialog, "concentration_calculator_fixed_amount");
}

TEST_F(ConcentrationCalculatorTest, OpenedForAReagentUseIsEnabledAndReturnsWhatWasComputed) {
    C dialog;
    dialog.m_standalone = 0;
    dialog.m_formula = "NaOH";
    dialog.m_volumeUnit = 0;
    dialog.m_concentrationUnit = 1;
    int result = 0;
    ui::Dialog::SetModalHook([&](ui::Dialog& d) {
        EXPECT_TRUE(Enabled(d, ui::IDOK));
        EXPECT_FALSE(Shown(d, C::kClearAllButton));
        EXPECT_TRUE(Shown(d, C::kClearButton));
        EXPECT_FALSE(Enabled(d, C::kFormulaBox));
        EXPECT_FALSE(Enabled(d, C::kMolarMassBox));
        EXPECT_EQ(Text(d, C::kVolumeUnitList), "L");
        EXPECT_EQ(Text(d, C::kConcentrationUnitList), "mmol/L");
        Type(d, C::kVolumeBox, "0.5");
        Type(d, C::kConcentrationBox, "100");
        d.PressButton(ui::IDOK);
        return d.result();
    });
    result = dialog.DoModal();
    ui::Dialog::SetModalHook({});
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.05);
    EXPECT_NEAR(dialog.m_mass.value, 0.05 * 39.997, 0.001);
    EXPECT_EQ(dialog.m_C.digits, 3);
    EXPECT_EQ(dialog.m_V.digits, 1);
}

TEST_F(ConcentrationCalculatorTest, LeavingABoxSwallowsOnlyItsOwnRewrite) {
    C dialog;
    dialog.Create();
    Activate(dialog);
    Type(dialog, C::kMolarMassBox, "100");
    Focus(dialog, C::kVolumeBox);
    // The rewrite of the box left ("100" stays "100") recomputes nothing, and the flag is spent.
    Type(dialog, C::kVolumeBox, "250");
    Type(dialog, C::kConcentrationBox, "0.1");
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.025);

    // A box left with a text that is no number rewrites nothing; the next keystroke in another box is
    // computed all the same.
    Focus(dialog, C::kMassBox);
    Type(dialog, C::kMassBox, "abc");
    EXPECT_FALSE(boxes.texts.isEmpty());
    boxes.texts.clear();
    Focus(dialog, C::kConcentrationBox);
    EXPECT_EQ(Text(dialog, C::kMassBox), "abc");
    Type(dialog, C::kConcentrationBox, "2");
    EXPECT_EQ(Text(dialog, C::kConcentrationBox), "2");
    EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.5);
    EXPECT_DOUBLE_EQ(dialog.m_mass.value, 50.0);
    // The text that is no number is still refused when the boxes are read.
    EXPECT_EQ(boxes.texts, QStringList{"Enter a number."});
}

TEST_F(ConcentrationCalculatorTest, RangesApplyToWhatWasTypedNeverToWhatWasComputed) {
    {
        C dialog;
        dialog.Create();
        Type(dialog, C::kMolarMassBox, "100");
        Type(dialog, C::kConcentrationBox, "0.1");
        Type(dialog, C::kVolumeBox, "-250");
        EXPECT_EQ(boxes.texts.value(0), "Enter a number between 0 and 100000.");
        EXPECT_EQ(Text(dialog, C::kMolesBox), "???");
        EXPECT_EQ(Text(dialog, C::kMassBox), "???");
        boxes.texts.clear();
        Type(dialog, C::kVolumeBox, "100");
        EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('|').toStdString();
        EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.01);
        EXPECT_EQ(Text(dialog, C::kVolumeBox), "100");
    }
    {
        // Opened for a reagent heavier than the range of a typed molar mass.
        C dialog;
        dialog.m_standalone = 0;
        dialog.m_formula = "C1000H2000";
        dialog.Create();
        Type(dialog, C::kVolumeBox, "1000");
        Type(dialog, C::kConcentrationBox, "0.001");
        EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('|').toStdString();
        EXPECT_DOUBLE_EQ(dialog.m_n.value, 0.001);
        EXPECT_NEAR(dialog.m_mass.value, 14.027, 0.001);
        EXPECT_TRUE(Enabled(dialog, ui::IDOK));
    }
    {
        // Standalone, the molar mass follows the formula past the range.
        C dialog;
        dialog.Create();
        Type(dialog, C::kFormulaBox, "C1000H2000");
        EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('|').toStdString();
        EXPECT_NEAR(dialog.m_M.value, 14027.0, 1.0);
    }
}

TEST_F(ConcentrationCalculatorTest, UnitChangesInventNoDigits) {
    C dialog;
    dialog.Create();
    Type(dialog, C::kConcentrationBox, "0.1");
    Choose(dialog, C::kConcentrationUnitList, "mmol/L");
    EXPECT_EQ(Text(dialog, C::kConcentrationBox), "100");
    Choose(dialog, C::kConcentrationUnitList, "mmol/mL");
    EXPECT_EQ(Text(dialog, C::kConcentrationBox), "0.1");
    EXPECT_EQ(dialog.m_C.digits, 1);
}

TEST_F(ConcentrationCalculatorTest, AUnitCodeOutsideItsTableOpensInTheDefaultUnit) {
    C dialog;
    dialog.m_volumeUnit = 7;
    dialog.m_concentrationUnit = -1;
    dialog.Create();
    EXPECT_EQ(dialog.m_volumeUnit, 1);
    EXPECT_EQ(dialog.m_concentrationUnit, 0);
    Type(dialog, C::kVolumeBox, "10");
    Choose(dialog, C::kVolumeUnitList, "L");
    EXPECT_DOUBLE_EQ(dialog.m_V.value, 0.01);
}

} // namespace

namespace {

TEST_F(ConcentrationCalculatorTest, ForAReagentWithoutAFormulaTheTypedMolarMassIsUsed) {
    C dialog;
    dialog.m_standalone = 0;
    dialog.Create();
    EXPECT_TRUE(Enabled(dialog, C::kMolarMassBox));
    EXPECT_FALSE(Enabled(dialog, C::kFormulaBox));
    Type(dialog, C::kMolarMassBox, "50");
    Type(dialog, C::kMolesBox, "0.2");
    EXPECT_DOUBLE_EQ(dialog.m_M.value, 50.0);
    EXPECT_DOUBLE_EQ(dialog.m_mass.value, 10.0);
}

} // namespace
