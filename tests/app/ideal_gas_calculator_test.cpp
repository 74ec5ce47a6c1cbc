// The ideal gas calculator as the user types: the molar volume, unit changes that keep V, "My STP", the
// opening for a computed amount, the formula and molar mass boxes, and conditions no gas can be at.
#include "app/dialogs/ideal_gas_calculator.h"
#include "app_test_host.h"
#include "calculator_test_support.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace calculator_test;
using G = pVnRTCalc;

class IdealGasCalculatorTest : public ::testing::Test {
protected:
    AppTestHost host;
    test_support::MessageBoxRecorder boxes;
};

TEST_F(IdealGasCalculatorTest, OneMoleAtTheDefaultStandardConditionsTakes22Litres) {
    G dialog;
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), "Ideal gas calculator pV=nRT");
    EXPECT_EQ(Text(dialog, G::kPressureBox), "1");
    EXPECT_EQ(Text(dialog, G::kTemperatureBox), "0");
    EXPECT_EQ(Text(dialog, G::kPressureUnitList), "atm");
    EXPECT_EQ(Text(dialog, G::kTemperatureUnitList), "C");
    EXPECT_EQ(Text(dialog, G::kVolumeUnitList), "L");
    EXPECT_EQ(Text(dialog, G::kRText), "0.082057");
    EXPECT_FALSE(Enabled(dialog, ui::IDOK));
    EXPECT_FALSE(Enabled(dialog, G::kMassBox)); // no molar mass yet

    Type(dialog, G::kMolesBox, "1");
    EXPECT_DOUBLE_EQ(dialog.m_V, 22.414);
    EXPECT_EQ(Text(dialog, G::kVolumeBox), "22.414");
    EXPECT_FALSE(Enabled(dialog, G::kFormulaBox)); // an amount is given

    Type(dialog, G::kVolumeBox, "11.207");
    EXPECT_DOUBLE_EQ(dialog.m_n, 0.5);
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(IdealGasCalculatorTest, VolumeUnitsConvertByTheMolarVolumes) {
    G dialog;
    dialog.Create();
    Type(dialog, G::kMolesBox, "1");
    Choose(dialog, G::kVolumeUnitList, "mL");
    EXPECT_DOUBLE_EQ(dialog.m_V, 22.414 * 22414.0 / 22.414);
    EXPECT_EQ(Text(dialog, G::kVolumeBox), "2.241e+04");
    Choose(dialog, G::kVolumeUnitList, "L");
    Choose(dialog, G::kVolumeUnitList, "ft3");
    EXPECT_NEAR(dialog.m_V, 0.7915428, 1e-12);
    EXPECT_EQ(dialog.m_volumeUnit, 3);
    // Recomputing in the new unit gives the same volume.
    Type(dialog, G::kMolesBox, "1");
    EXPECT_NEAR(dialog.m_V, 0.7915428, 1e-12);
    Choose(dialog, G::kVolumeUnitList, "m3");
    EXPECT_NEAR(dialog.m_V, 0.022414, 1e-12);
}

TEST_F(IdealGasCalculatorTest, TemperatureUnitsConvertTAndKeepV) {
    G dialog;
    dialog.Create();
    Type(dialog, G::kTemperatureBox, "25");
    Type(dialog, G::kMolesBox, "2");
    const double V = dialog.m_V;
    EXPECT_NEAR(V, 2 * 22.414 * 298.15 / 273.15, 1e-9);

    Choose(dialog, G::kTemperatureUnitList, "F");
    EXPECT_EQ(Text(dialog, G::kTemperatureBox), "77");
    EXPECT_EQ(Text(dialog, G::kRText), "0.045587");
    EXPECT_DOUBLE_EQ(dialog.m_V, V);
    Type(dialog, G::kMolesBox, "2");
    EXPECT_NEAR(dialog.m_V, V, 1e-9);

    Choose(dialog, G::kTemperatureUnitList, "K");
    EXPECT_EQ(Text(dialog, G::kTemperatureBox), "298.15");
    EXPECT_DOUBLE_EQ(dialog.m_absoluteTemperature, dialog.m_T);
    Type(dialog, G::kMolesBox, "2");
    EXPECT_NEAR(dialog.m_V, V, 1e-9);

    Choose(dialog, G::kTemperatureUnitList, "C");
    EXPECT_NEAR(dialog.m_T, 25.0, 1e-9);
}

TEST_F(IdealGasCalculatorTest, PressureUnitsScalePAndRAlike) {
    G dialog;
    dialog.Create();
    Type(dialog, G::kMolesBox, "1");
    Choose(dialog, G::kPressureUnitList, "kPa");
    EXPECT_DOUBLE_EQ(dialog.m_p, 101.325);
    EXPECT_EQ(Text(dialog, G::kRText), "8.3145");
    EXPECT_DOUBLE_EQ(dialog.m_V, 22.414);
    Type(dialog, G::kPressureBox, "202.65");
    EXPECT_NEAR(dialog.m_V, 11.207, 1e-9);
    Choose(dialog, G::kPressureUnitList, "psi");
    EXPECT_NEAR(dialog.m_p, 2 * 14.6959, 1e-9);
    EXPECT_NEAR(dialog.m_V, 11.207, 1e-9);
}

TEST_F(IdealGasCalculatorTest, MySTPLoadsTheApplicationsStandardConditions) {
    G dialog;
    dialog.Create();
    Type(dialog, G::kMolesBox, "1");
    host.standardConditions.pressure = 100.0;
    host.standardConditions.pressureUnit = 3;
    host.standardConditions.temperature = 0.0;
    host.standardConditions.temperatureUnit = 0;
    dialog.PressButton(G::kMySTPButton);
    EXPECT_EQ(Text(dialog, G::kPressureBox), "100");
    EXPECT_EQ(Text(dialog, G::kPressureUnitList), "kPa");
    EXPECT_EQ(Text(dialog, G::kTemperatureUnitList), "C");
    EXPECT_NEAR(dialog.m_V, 22.414 * 101.325 / 100.0, 1e-9);
    EXPECT_EQ(Text(dialog, G::kVolumeBox), "22.711");

    // A new calculator starts from them.
    G next;
    next.Create();
    EXPECT_EQ(Text(next, G::kPressureBox), "100");
    EXPECT_EQ(Text(next, G::kPressureUnitList), "kPa");
}

TEST_F(IdealGasCalculatorTest, FormulaMolarMassAndMass) {
    G dialog;
    dialog.Create();
    Type(dialog, G::kFormulaBox, "CO2");
    EXPECT_NEAR(dialog.m_M, 44.01, 0.01);
    EXPECT_FALSE(Enabled(dialog, G::kMolarMassBox));
    EXPECT_TRUE(Enabled(dialog, G::kMassBox));
    EXPECT_EQ(dialog.Frame().Caption(), "44.01");
    Type(dialog, G::kMassBox, "88.02");
    EXPECT_NEAR(dialog.m_n, 2.0, 0.001);
    EXPECT_NEAR(dialog.m_V, 2.0 * 22.414, 0.01);
    EXPECT_FALSE(Enabled(dialog, G::kFormulaBox));
    Type(dialog, G::kVolumeBox, "22.414");
    EXPECT_DOUBLE_EQ(dialog.m_n, 1.0);
    EXPECT_DOUBLE_EQ(dialog.m_mass, dialog.m_M);
    Type(dialog, G::kMolesBox, "0");
    EXPECT_TRUE(Enabled(dialog, G::kFormulaBox));
    test_support::SaveScreenshot(dialog, "ideal_gas_calculator");

    // Without a formula the molar mass is typed, and the mass box follows it.
    dialog.PressButton(G::kClearAllButton);
    EXPECT_EQ(Text(dialog, G::kFormulaBox), "");
    EXPECT_TRUE(Enabled(dialog, G::kMolarMassBox));
    EXPECT_FALSE(Enabled(dialog, G::kMassBox));
    Type(dialog, G::kMolarMassBox, "32");
    EXPECT_TRUE(Enabled(dialog, G::kMassBox));
    Type(dialog, G::kMolesBox, "0.5");
    EXPECT_DOUBLE_EQ(dialog.m_mass, 16.0);
}

TEST_F(IdealGasCalculatorTest, ClearGoesBackToOneAtmosphereAndZeroCelsius) {
    host.standardConditions.pressure = 100.0;
    host.standardConditions.pressureUnit = 3;
    host.standardConditions.temperature = 25.0;
    G dialog;
    dialog.Create();
    Type(dialog, G::kFormulaBox, "N2");
    Choose(dialog, G::kVolumeUnitList, "mL");
    Type(dialog, G::kMolesBox, "3");
    dialog.PressButton(G::kClearButton);
    EXPECT_EQ(Text(dialog, G::kPressureBox), "1");
    EXPECT_EQ(Text(dialog, G::kPressureUnitList), "atm");
    EXPECT_EQ(Text(dialog, G::kTemperatureBox), "0");
    EXPECT_EQ(Text(dialog, G::kVolumeUnitList), "L");
    EXPECT_EQ(Text(dialog, G::kRText), "0.082057");
    for (int box : {G::kMolesBox, G::kMassBox, G::kVolumeBox})
        EXPECT_EQ(Text(dialog, box), "0") << box;
    EXPECT_EQ(Text(dialog, G::kFormulaBox), "N2");
    EXPECT_TRUE(Enabled(dialog, G::kFormulaBox));
    Type(dialog, G::kMolesBox, "1");
    EXPECT_DOUBLE_EQ(dialog.m_V, 22.414);
}

TEST_F(IdealGasCalculatorTest, OpenedForAComputedAmountOnlyTheConditionsChange) {
    G dialog;
    dialog.m_standalone = 0;
    dialog.m_fixedAmount = 1;
    dialog.m_formula = "O2";
    dialog.m_M = 31.998;
    dialog.m_n = 0.25;
    dialog.m_mass = 7.9995;
    dialog.m_V = 99.0; // replaced by the volume of the amount
    dialog.m_T = 25.0;
    dialog.ToAbsoluteTemperature();
    dialog.UpdateR();
    dialog.Create();
    for (int box : {G::kMolesBox, G::kMassBox, G::kVolumeBox, G::kFormulaBox, G::kMolarMassBox})
        EXPECT_FALSE(Enabled(dialog, box)) << box;
    EXPECT_FALSE(Enabled(dialog, ui::IDOK));
    EXPECT_FALSE(Shown(dialog, G::kClearButton));
    EXPECT_FALSE(Shown(dialog, G::kClearAllButton));
    EXPECT_TRUE(Shown(dialog, G::kMySTPButton));
    EXPECT_NEAR(dialog.m_V, 0.25 * 22.414 * 298.15 / 273.15, 1e-9);

    Type(dialog, G::kPressureBox, "2");
    EXPECT_NEAR(dialog.m_V, 0.25 * 22.414 * 298.15 / 273.15 / 2, 1e-9);
    Type(dialog, G::kTemperatureBox, "0");
    EXPECT_NEAR(dialog.m_V, 0.25 * 22.414 / 2, 1e-9);
    EXPECT_DOUBLE_EQ(dialog.m_n, 0.25);
    test_support::SaveScreenshot(dialog, "ideal_gas_calculator_fixed_amount");
}

TEST_F(IdealGasCalculatorTest, ImpossibleConditionsShowNoResultAndSayWhy) {
    struct Step {
        int box;
        const char* typed;
        int shownBox; // the box that depends on it
        const char* shown;
        const char* status;
    };
    const Step steps[] = {
        {G::kMolesBox, "1", G::kVolumeBox, "22.414", ""},
        {G::kPressureBox, "0", G::kVolumeBox, "???", "Pressure must be above zero."},
        {G::kPressureBox, "1", G::kVolumeBox, "22.414", ""},
        {G::kTemperatureBox, "-273.15", G::kVolumeBox, "???", "Temperature must be above absolute zero."},
        {G::kVolumeBox, "10", G::kMolesBox, "???", "Temperature must be above absolute zero."},
        {G::kTemperatureBox, "-500", G::kVolumeBox, "???", "Temperature must be above absolute zero."},
        {G::kTemperatureBox, "0", G::kVolumeBox, "0", ""},
        {G::kMolesBox, "-1", G::kVolumeBox, "???", "Amount can't be negative."},
        {G::kVolumeBox, "-5", G::kMolesBox, "???", "Volume can't be negative."},
        {G::kVolumeBox, "11.207", G::kMolesBox, "0.5", ""},
    };
    G dialog;
    dialog.m_standalone = 0;
    dialog.m_formula = "O2";
    dialog.m_M = 32.0;
    dialog.Create();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed);
        Type(dialog, step.box, step.typed);
        EXPECT_EQ(Text(dialog, step.shownBox), step.shown);
        EXPECT_EQ(Text(dialog, G::kStatusText), step.status);
        // Nothing impossible can go back to a reagent.
        EXPECT_EQ(Enabled(dialog, ui::IDOK), *step.status == '\0');
    }
    EXPECT_TRUE(boxes.texts.isEmpty());
    Type(dialog, G::kPressureBox, "0");
    test_support::SaveScreenshot(dialog, "ideal_gas_calculator_impossible_pressure");
}

TEST_F(IdealGasCalculatorTest, AKeystrokeAfterLeavingARefusedTextIsComputed) {
    G dialog;
    dialog.Create();
    Activate(dialog);
    Type(dialog, G::kMolesBox, "1");
    Focus(dialog, G::kPressureBox);
    Type(dialog, G::kPressureBox, "abc");
    boxes.texts.clear();
    Focus(dialog, G::kTemperatureBox);
    Type(dialog, G::kTemperatureBox, "2");
    // The pressure box is still refused, but the temperature is read first: V follows it.
    EXPECT_DOUBLE_EQ(dialog.m_T, 2.0);
    EXPECT_NEAR(dialog.m_V, 22.414 * 275.15 / 273.15, 1e-9);
    EXPECT_EQ(boxes.texts, QStringList{"Enter a number."});
}

TEST_F(IdealGasCalculatorTest, AnUnparsableTextIsReportedAndTheOthersStillCompute) {
    G dialog;
    dialog.Create();
    Type(dialog, G::kMolesBox, "1");
    Type(dialog, G::kPressureBox, "2x");
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], "Enter a number.");
    EXPECT_EQ(Text(dialog, G::kPressureBox), "2x");
    EXPECT_DOUBLE_EQ(dialog.m_p, 2.0);
}

} // namespace

namespace {

TEST_F(IdealGasCalculatorTest, ClearForAReagentKeepsItsFormulaLocked) {
    G dialog;
    dialog.m_standalone = 0;
    dialog.m_formula = "NH3";
    dialog.m_M = 17.031;
    dialog.Create();
    Type(dialog, G::kMolesBox, "2");
    dialog.PressButton(G::kClearButton);
    EXPECT_FALSE(Enabled(dialog, G::kFormulaBox));
    EXPECT_FALSE(Shown(dialog, G::kClearAllButton));
    EXPECT_EQ(Text(dialog, G::kMolesBox), "0");
}

TEST_F(IdealGasCalculatorTest, UnitCodesOutsideTheirTablesAreTakenAsTheFirstUnit) {
    G dialog;
    dialog.m_pressureUnit = 12;
    dialog.m_temperatureUnit = -3;
    dialog.m_volumeUnit = 4;
    dialog.ToAbsoluteTemperature();
    dialog.UpdateR();
    EXPECT_EQ(dialog.m_pressureUnit, 0);
    EXPECT_EQ(dialog.m_temperatureUnit, 0);
    EXPECT_EQ(dialog.m_volumeUnit, 0);
    EXPECT_EQ(dialog.RText(), "0.082057");
    dialog.Create();
    EXPECT_EQ(Text(dialog, G::kPressureUnitList), "atm");
}

} // namespace
