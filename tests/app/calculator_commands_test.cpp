// The application's two calculator commands open the calculators on their own, from the program's
// standard conditions.
#include "app/dialogs/concentration_calculator.h"
#include "app/dialogs/ideal_gas_calculator.h"
#include "app/qelt_command_ids.h"
#include "app_fixture.h"
#include "calculator_test_support.h"

namespace {

using app_test::AppTest;
using namespace calculator_test;

TEST_F(AppTest, TheCalculatorCommandsOpenTheCalculatorsStandalone) {
    ASSERT_TRUE(StartQuietly());
    EXPECT_TRUE(Enabled(qelt_cmd::ConcentrationCalculator));
    EXPECT_TRUE(Enabled(qelt_cmd::IdealGasCalculator));
    app->GetSTP().pressure = 750.0;
    app->GetSTP().pressureUnit = 1;
    app->GetSTP().temperature = 20.0;

    app_test::DialogScript dialogs;
    QString pressure, pressureUnit, temperature;
    dialogs.Answer(pVnRTCalc::kTemplateId, [&](ui::Dialog& dialog) {
        pressure = Text(dialog, pVnRTCalc::kPressureBox);
        pressureUnit = Text(dialog, pVnRTCalc::kPressureUnitList);
        temperature = Text(dialog, pVnRTCalc::kTemperatureBox);
        EXPECT_TRUE(calculator_test::Enabled(dialog, pVnRTCalc::kFormulaBox));
        EXPECT_FALSE(calculator_test::Enabled(dialog, ui::IDOK));
        dialog.PressButton(ui::IDCANCEL);
        return dialog.result();
    });
    dialogs.Answer(CConcentrationCalculator::kTemplateId, [&](ui::Dialog& dialog) {
        EXPECT_TRUE(calculator_test::Enabled(dialog, CConcentrationCalculator::kFormulaBox));
        EXPECT_TRUE(Shown(dialog, CConcentrationCalculator::kClearAllButton));
        dialog.PressButton(ui::IDCANCEL);
        return dialog.result();
    });
    EXPECT_TRUE(Run(qelt_cmd::IdealGasCalculator));
    EXPECT_TRUE(Run(qelt_cmd::ConcentrationCalculator));
    EXPECT_EQ(dialogs.shown, (std::vector<int>{186, 180}));
    EXPECT_EQ(pressure, "750");
    EXPECT_EQ(pressureUnit, "mmHg/torr");
    EXPECT_EQ(temperature, "20");
}

} // namespace
