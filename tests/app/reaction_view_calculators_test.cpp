// The calculators of a reaction row: the input ones fill the row's amount on "Use", the output ones open
// with the computed amount fixed and leave the conditions they show as the description of that amount.
#include "app/dialogs/concentration_calculator.h"
#include "app/dialogs/ideal_gas_calculator.h"
#include "calculator_test_support.h"
#include "platform/core/archive.h"
#include "reaction_view_harness.h"
#include "ui_test_support.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

namespace {

using namespace reaction_view;
using C = CConcentrationCalculator;
using G = pVnRTCalc;

void Click(CQELTView& view, int row, int slot) {
    auto* button = qobject_cast<QAbstractButton*>(view.RowControl(row, slot));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << row << " " << slot;
    button->click();
}

// Runs the calculator through the hook and resets the hook afterwards.
class ModalScript {
public:
    explicit ModalScript(std::function<int(ui::Dialog&)> respond) {
        ui::Dialog::SetModalHook([this, respond](ui::Dialog& dialog) {
            ++shown;
            templateId = dialog.TemplateId();
            return respond(dialog);
        });
    }
    ~ModalScript() { ui::Dialog::SetModalHook({}); }
    int shown = 0;
    int templateId = 0;
};

int Use(ui::Dialog& dialog) {
    dialog.PressButton(ui::IDOK);
    return dialog.result();
}

int Cancel(ui::Dialog& dialog) {
    dialog.PressButton(ui::IDCANCEL);
    return dialog.result();
}

TEST(ReactionRowCalculators, SolutionInputFillsTheRowsAmount) {
    view_test::ReactionWindows windows("NaOH + HCl = NaCl + H2O");
    CQELTView1* view = windows.OpenDefault();
    windows.doc->SetModifiedFlag(false);
    EXPECT_FALSE(view->RowControl(128, kSolutionOutputSlot)->isEnabled()); // nothing computed yet

    ModalScript script([](ui::Dialog& dialog) {
        using namespace calculator_test;
        EXPECT_EQ(Text(dialog, C::kFormulaBox), "NaOH");
        EXPECT_FALSE(Enabled(dialog, C::kFormulaBox));
        EXPECT_FALSE(Enabled(dialog, C::kMolarMassBox));
        EXPECT_TRUE(Enabled(dialog, ui::IDOK));
        EXPECT_FALSE(Shown(dialog, C::kClearAllButton));
        Type(dialog, C::kVolumeBox, "250");
        Type(dialog, C::kConcentrationBox, "0.100");
        test_support::SaveScreenshot(dialog, "concentration_calculator_for_a_row");
        return Use(dialog);
    });
    Click(*view, 0, kSolutionInputSlot);
    EXPECT_EQ(script.templateId, C::kTemplateId);

    const CQELTReagent& naoh = *windows.doc->GetReagent(0);
    EXPECT_EQ(naoh.inputKind, CQELTReagent::kSolution);
    EXPECT_DOUBLE_EQ(naoh.enteredMoles.value, 0.025);
    EXPECT_NEAR(naoh.enteredMass.value, 0.025 * 39.997, 0.001);
    EXPECT_DOUBLE_EQ(naoh.inputVolume.value, 250.0);
    EXPECT_EQ(naoh.inputVolume.digits, 3);
    EXPECT_DOUBLE_EQ(naoh.inputConcentration.value, 0.1);
    EXPECT_EQ(naoh.inputConcentration.digits, 3);
    EXPECT_EQ(naoh.inputVolumeUnit, 1);
    EXPECT_EQ(naoh.inputConcentrationUnit, 0);
    EXPECT_TRUE(windows.doc->IsModified());
    // The reaction is computed from it, and the view shows it.
    ASSERT_TRUE(windows.doc->HasComputedAmounts());
    EXPECT_DOUBLE_EQ(windows.doc->GetComputedMoles(128), 0.025);
    EXPECT_EQ(view_test::Text(*view, 0, kMolesSlot), "0.02500");
    EXPECT_TRUE(view->RowControl(128, kSolutionOutputSlot)->isEnabled());

    // Opened again, it shows what the row holds; Cancel changes nothing.
    ModalScript again([](ui::Dialog& dialog) {
        using namespace calculator_test;
        EXPECT_EQ(Text(dialog, C::kVolumeBox), "250");
        EXPECT_EQ(Text(dialog, C::kConcentrationBox), "0.100");
        EXPECT_EQ(Text(dialog, C::kMolesBox), "0.02500");
        Type(dialog, C::kConcentrationBox, "1");
        return Cancel(dialog);
    });
    windows.doc->SetModifiedFlag(false);
    Click(*view, 0, kSolutionInputSlot);
    EXPECT_EQ(again.shown, 1);
    EXPECT_DOUBLE_EQ(windows.doc->GetReagent(0)->inputConcentration.value, 0.1);
    EXPECT_FALSE(windows.doc->IsModified());
}

TEST(ReactionRowCalculators, SolutionOutputDescribesTheComputedAmount) {
    view_test::ReactionWindows windows("NaOH + HCl = NaCl + H2O");
    CQELTView1* view = windows.OpenDefault();
    view_test::Retype(view_test::Edit(*view, 0, kMolesSlot), "0.5");
    ASSERT_TRUE(windows.doc->HasComputedAmounts());
    windows.doc->SetModifiedFlag(false);

    ModalScript script([](ui::Dialog& dialog) {
        using namespace calculator_test;
        EXPECT_EQ(Text(dialog, C::kFormulaBox), "NaCl");
        EXPECT_TRUE(dialog.Control<QAbstractButton>(C::kAmountConstRadio)->isChecked());
        EXPECT_FALSE(Enabled(dialog, C::kAmountConstRadio));
        EXPECT_FALSE(Enabled(dialog, C::kMolesBox));
        EXPECT_FALSE(Enabled(dialog, ui::IDOK));
        EXPECT_FALSE(Shown(dialog, C::kClearButton));
        EXPECT_EQ(Text(dialog, C::kMolesBox), "0.5");
        Choose(dialog, C::kVolumeUnitList, "L");
        Type(dialog, C::kVolumeBox, "2");
        EXPECT_EQ(Text(dialog, C::kConcentrationBox), "0.2500");
        return Cancel(dialog);
    });
    Click(*view, 128, kSolutionOutputSlot);
    ASSERT_EQ(script.shown, 1);
    const CQELTReagent& nacl = *windows.doc->GetReagent(128);
    EXPECT_EQ(nacl.outputKind, CQELTReagent::kSolution);
    EXPECT_DOUBLE_EQ(nacl.outputVolume.value, 2.0);
    EXPECT_EQ(nacl.outputVolumeUnit, 0);
    EXPECT_DOUBLE_EQ(nacl.outputConcentration.value, 0.25);
    EXPECT_EQ(nacl.outputConcentrationUnit, 0);
    // No recalculation: the amounts stay. The file keeps the description, so the reaction is modified.
    EXPECT_DOUBLE_EQ(windows.doc->GetComputedMoles(128), 0.5);
    EXPECT_TRUE(windows.doc->IsModified());

    // The next opening starts from that description; left as it was, it changes nothing.
    ModalScript again([](ui::Dialog& dialog) {
        using namespace calculator_test;
        EXPECT_EQ(Text(dialog, C::kVolumeUnitList), "L");
        EXPECT_EQ(Text(dialog, C::kVolumeBox), "2");
        return Cancel(dialog);
    });
    windows.doc->SetModifiedFlag(false);
    Click(*view, 128, kSolutionOutputSlot);
    EXPECT_EQ(again.shown, 1);
    EXPECT_FALSE(windows.doc->IsModified());
}

TEST(ReactionRowCalculators, GasInputFillsTheRowsAmountAsPlainNumbers) {
    view_test::ReactionWindows windows("2H2 + O2 = 2H2O");
    CQELTView1* view = windows.OpenDefault();
    ModalScript script([](ui::Dialog& dialog) {
        using namespace calculator_test;
        EXPECT_EQ(Text(dialog, G::kFormulaBox), "H2");
        EXPECT_EQ(Text(dialog, G::kPressureBox), "1");
        EXPECT_EQ(Text(dialog, G::kTemperatureUnitList), "C");
        EXPECT_FALSE(Enabled(dialog, G::kMolarMassBox));
        EXPECT_TRUE(Enabled(dialog, G::kMassBox));
        Type(dialog, G::kVolumeBox, "44.828");
        Type(dialog, G::kTemperatureBox, "0");
        return Use(dialog);
    });
    Click(*view, 0, kGasInputSlot);
    EXPECT_EQ(script.templateId, G::kTemplateId);

    const CQELTReagent& h2 = *windows.doc->GetReagent(0);
    EXPECT_EQ(h2.inputKind, CQELTReagent::kGas);
    EXPECT_DOUBLE_EQ(h2.enteredMoles.value, 2.0);
    EXPECT_EQ(h2.enteredMoles.digits, 0);
    EXPECT_NEAR(h2.enteredMass.value, 2 * h2.GetMolarMass(), 1e-9);
    EXPECT_DOUBLE_EQ(h2.inputVolume.value, 44.828);
    EXPECT_EQ(h2.inputVolume.digits, 0);
    EXPECT_DOUBLE_EQ(h2.inputPressure.value, 1.0);
    EXPECT_DOUBLE_EQ(windows.doc->GetComputedMoles(1), 1.0);
    EXPECT_DOUBLE_EQ(windows.doc->GetComputedMoles(128), 2.0);
    EXPECT_TRUE(windows.doc->IsModified());

    // Opened again, it shows the row's conditions and amount.
    ModalScript again([](ui::Dialog& dialog) {
        using namespace calculator_test;
        EXPECT_EQ(Text(dialog, G::kMolesBox), "2");
        EXPECT_EQ(Text(dialog, G::kVolumeBox), "44.828");
        return Cancel(dialog);
    });
    Click(*view, 0, kGasInputSlot);
    EXPECT_EQ(again.shown, 1);
}

TEST(ReactionRowCalculators, GasOutputDescribesTheComputedAmountWhicheverButtonClosesIt) {
    view_test::ReactionWindows windows("2H2 + O2 = 2H2O");
    CQELTView1* view = windows.OpenDefault();
    view_test::Retype(view_test::Edit(*view, 1, kMolesSlot), "1");
    ASSERT_TRUE(windows.doc->HasComputedAmounts());
    windows.doc->SetModifiedFlag(false);

    ModalScript script([](ui::Dialog& dialog) {
        using namespace calculator_test;
        for (int box : {G::kMolesBox, G::kMassBox, G::kVolumeBox})
            EXPECT_FALSE(Enabled(dialog, box)) << box;
        EXPECT_FALSE(Enabled(dialog, ui::IDOK));
        EXPECT_FALSE(Shown(dialog, G::kClearButton));
        EXPECT_EQ(Text(dialog, G::kMolesBox), "2");
        EXPECT_EQ(Text(dialog, G::kVolumeBox), "44.828");
        Type(dialog, G::kTemperatureBox, "100");
        Choose(dialog, G::kPressureUnitList, "kPa");
        test_support::SaveScreenshot(dialog, "ideal_gas_calculator_for_a_row_output");
        return Cancel(dialog);
    });
    Click(*view, 128, kGasOutputSlot);
    ASSERT_EQ(script.shown, 1);
    const CQELTReagent& water = *windows.doc->GetReagent(128);
    EXPECT_EQ(water.outputKind, CQELTReagent::kGas);
    EXPECT_DOUBLE_EQ(water.outputTemperature.value, 100.0);
    EXPECT_EQ(water.outputTemperatureUnit, 0);
    EXPECT_DOUBLE_EQ(water.outputPressure.value, 101.325);
    EXPECT_EQ(water.outputPressureUnit, 3);
    EXPECT_NEAR(water.outputVolume.value, 2 * 22.414 * 373.15 / 273.15, 1e-9);
    EXPECT_EQ(water.outputGasVolumeUnit, 0);
    EXPECT_TRUE(windows.doc->IsModified()) << "closing unsaved would lose the conditions";

    // Opened again, the conditions come back and the volume follows the amount; nothing changed.
    windows.doc->SetModifiedFlag(false);
    ModalScript again([](ui::Dialog& dialog) {
        using namespace calculator_test;
        EXPECT_EQ(Text(dialog, G::kTemperatureBox), "100");
        EXPECT_EQ(Text(dialog, G::kPressureUnitList), "kPa");
        EXPECT_EQ(Text(dialog, G::kRText), "8.3145");
        return Cancel(dialog);
    });
    Click(*view, 128, kGasOutputSlot);
    EXPECT_EQ(again.shown, 1);
    EXPECT_NEAR(windows.doc->GetReagent(128)->outputVolume.value, 2 * 22.414 * 373.15 / 273.15, 1e-9);
    EXPECT_FALSE(windows.doc->IsModified());

    // Conditions no gas can be at describe nothing: the row keeps what it had.
    ModalScript impossible([](ui::Dialog& dialog) {
        using namespace calculator_test;
        Type(dialog, G::kPressureBox, "0");
        EXPECT_EQ(Text(dialog, G::kVolumeBox), "???");
        return Cancel(dialog);
    });
    Click(*view, 128, kGasOutputSlot);
    EXPECT_EQ(impossible.shown, 1);
    EXPECT_DOUBLE_EQ(windows.doc->GetReagent(128)->outputPressure.value, 101.325);
}

TEST(ReactionRowCalculators, ARowWithoutAFormulaHasNoCalculators) {
    view_test::ReactionWindows windows;
    CQELTView1* view = windows.OpenDefault();
    EXPECT_FALSE(view->RowControl(0, kGasInputSlot)->isEnabled());
    EXPECT_FALSE(view->RowControl(0, kSolutionInputSlot)->isEnabled());
    view_test::Type(view_test::Edit(*view, 0, kFormulaSlot), "CO2");
    EXPECT_TRUE(view->RowControl(0, kGasInputSlot)->isEnabled());
    EXPECT_TRUE(view->RowControl(0, kSolutionInputSlot)->isEnabled());
    // The database button goes with the entered moles, not with the formula: none entered, it is enabled.
    EXPECT_TRUE(view->RowControl(0, kDatabaseSlot)->isEnabled());
}

// The reaction as its file holds it.
std::vector<std::uint8_t> FileBytes(CQELTDoc& doc) {
    Archive ar;
    doc.Serialize(ar);
    return ar.Bytes();
}

TEST(ReactionRowCalculators, ADescriptionSurvivesOtherViewsAndTheFile) {
    std::vector<std::uint8_t> saved;
    {
        view_test::ReactionWindows windows("Zn + HCl = ZnCl2 + H2(g)");
        CQELTView1* view = windows.OpenDefault();
        view_test::Retype(view_test::Edit(*view, 0, kMassSlot), "6.540");
        ModalScript solution([](ui::Dialog& dialog) {
            calculator_test::Type(dialog, C::kVolumeBox, "250");
            calculator_test::Type(dialog, C::kConcentrationBox, "0.5");
            return Use(dialog);
        });
        Click(*view, 1, kSolutionInputSlot);
        ModalScript gas([](ui::Dialog& dialog) {
            calculator_test::Type(dialog, G::kTemperatureBox, "25");
            return Cancel(dialog);
        });
        Click(*view, 129, kGasOutputSlot);
        ASSERT_EQ(windows.doc->GetReagent(129)->outputKind, CQELTReagent::kGas);
        saved = FileBytes(*windows.doc);
        EXPECT_EQ(saved.size(), 399u);

        windows.doc->OnAlternateUI(); // Ctrl+2
        ASSERT_NE(windows.doc->GetViewFrame(ModelHost::ViewKind::AlternateForm), nullptr);
        EXPECT_TRUE(FileBytes(*windows.doc) == saved) << "the alternate view changed the file";
    }
    // Opened again, in both views, it saves the same bytes.
    view_test::ReactionWindows reopened;
    Archive file(saved);
    reopened.doc->Serialize(file);
    reopened.OpenDefault();
    reopened.doc->OnAlternateUI();
    EXPECT_EQ(reopened.doc->GetReagent(129)->outputKind, CQELTReagent::kGas);
    EXPECT_TRUE(FileBytes(*reopened.doc) == saved) << "reopening changed the file";
}

} // namespace
