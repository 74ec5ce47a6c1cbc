// The calculators of a row of the default form view: "pV=nRT" and "n=CV" for the amount the user enters
// (copied back into the row on "Use") and for the amount the reaction gives (whatever conditions the
// calculator shows when it closes describe that amount).
#include "app/dialogs/concentration_calculator.h"
#include "app/dialogs/ideal_gas_calculator.h"
#include "app/qelt_view1.h"
#include "model/qelt_doc.h"
#include "model/qelt_reagent.h"
#include "platform/core/archive.h"

using namespace reaction_view;

namespace {

// The output calculators change no amount, but the file keeps the description they leave: a change of it
// is a change of the reaction, and closing it unsaved must ask.
void OutputDescribed(CQELTView& view, CQELTDoc& doc, const CQELTReagent& reagent,
                     const CQELTReagent& before) {
    if (reagent.OutputDescriptionDiffers(before))
        doc.SetModifiedFlag(true);
    doc.UpdateAllViews(&view, kHintRedraw);
}

// The reagent's record as the file keeps it.
std::vector<std::uint8_t> StoredRecord(const CQELTReagent& reagent) {
    CQELTReagent copy = reagent;
    Archive ar;
    copy.Serialize(ar);
    return ar.Bytes();
}

// A calculator's value takes the stored one's place only when it means another amount: a value the row gave
// the calculator and got back unchanged keeps the significant digits it was stored with. A plain value
// (one the calculator carries no digits for) is the same amount when its value is.
void TakeValue(CEditableDouble& stored, const CEditableDouble& taken, bool plain) {
    const bool sameValue = SameAmount(CEditableDouble(stored.value, 0), CEditableDouble(taken.value, 0));
    if (sameValue && (plain || taken.digits == stored.digits))
        return;
    stored = taken;
}

} // namespace

void CQELTView1::OnConcentrationInput(int id) {
    CQELTDoc& doc = Doc();
    const int row = id - kSolutionInputBase;
    CQELTReagent* reagent = doc.GetReagent(row);
    if (!RowExists(row) || reagent == nullptr)
        return;
    CConcentrationCalculator dialog;
    dialog.m_standalone = 0;
    dialog.m_formula = reagent->GetFormula();
    dialog.m_volumeUnit = reagent->inputVolumeUnit;
    dialog.m_concentrationUnit = reagent->inputConcentrationUnit;
    if (reagent->enteredMass != 0.0) {
        dialog.m_mass = reagent->enteredMass;
        dialog.m_n = reagent->enteredMoles;
        dialog.m_C = reagent->inputConcentration;
        dialog.m_V = reagent->inputVolume;
    }
    if (dialog.DoModal() != ui::IDOK)
        return;
    const std::vector<std::uint8_t> before = StoredRecord(*reagent);
    TakeValue(reagent->enteredMass, dialog.m_mass, false);
    TakeValue(reagent->enteredMoles, dialog.m_n, false);
    TakeValue(reagent->inputConcentration, dialog.m_C, false);
    TakeValue(reagent->inputVolume, dialog.m_V, false);
    reagent->inputConcentrationUnit = dialog.m_concentrationUnit;
    reagent->inputVolumeUnit = dialog.m_volumeUnit;
    reagent->inputKind = CQELTReagent::kSolution;
    doc.Recalculate();
    RefreshRows();
    UpdateData(false);
    doc.UpdateAllViews(this, kHintRedraw);
    // Modified when the file would change: "Use" with the values as they came changes nothing.
    if (StoredRecord(*reagent) != before)
        doc.SetModifiedFlag(true);
}

void CQELTView1::OnGasInput(int id) {
    CQELTDoc& doc = Doc();
    const int row = id - kGasInputBase;
    CQELTReagent* reagent = doc.GetReagent(row);
    if (!RowExists(row) || reagent == nullptr)
        return;
    pVnRTCalc dialog;
    dialog.m_standalone = 0;
    dialog.m_formula = reagent->GetFormula();
    dialog.m_M = reagent->GetMolarMass();
    dialog.m_mass = reagent->enteredMass.value;
    dialog.m_n = reagent->enteredMoles.value;
    dialog.m_p = reagent->inputPressure.value;
    dialog.m_T = reagent->inputTemperature.value;
    dialog.m_V = reagent->inputVolume.value;
    dialog.m_pressureUnit = reagent->inputPressureUnit;
    dialog.m_temperatureUnit = reagent->inputTemperatureUnit;
    dialog.m_volumeUnit = reagent->inputGasVolumeUnit;
    dialog.ToAbsoluteTemperature();
    dialog.UpdateR();
    if (dialog.DoModal() != ui::IDOK)
        return;
    // The calculator's values are plain numbers: they carry no significant digits of their own.
    const std::vector<std::uint8_t> before = StoredRecord(*reagent);
    reagent->inputKind = CQELTReagent::kGas;
    TakeValue(reagent->enteredMass, CEditableDouble(dialog.m_mass, 0), true);
    TakeValue(reagent->enteredMoles, CEditableDouble(dialog.m_n, 0), true);
    TakeValue(reagent->inputPressure, CEditableDouble(dialog.m_p, 0), true);
    TakeValue(reagent->inputTemperature, CEditableDouble(dialog.m_T, 0), true);
    TakeValue(reagent->inputVolume, CEditableDouble(dialog.m_V, 0), true);
    reagent->inputPressureUnit = dialog.m_pressureUnit;
    reagent->inputTemperatureUnit = dialog.m_temperatureUnit;
    reagent->inputGasVolumeUnit = dialog.m_volumeUnit;
    doc.Recalculate();
    RefreshRows();
    UpdateData(false);
    doc.UpdateAllViews(this, kHintRedraw);
    // Modified when the file would change: "Use" with the values as they came changes nothing.
    if (StoredRecord(*reagent) != before)
        doc.SetModifiedFlag(true);
}

void CQELTView1::OnConcentrationOutput(int id) {
    CQELTDoc& doc = Doc();
    const int row = id - kSolutionOutputBase;
    CQELTReagent* reagent = doc.GetReagent(row);
    if (!RowExists(row) || reagent == nullptr || !doc.HasComputedAmounts())
        return;
    CConcentrationCalculator dialog;
    dialog.m_standalone = 0;
    dialog.m_fixedAmount = 1;
    dialog.m_formula = reagent->GetFormula();
    dialog.m_M = reagent->GetMolarMass();
    dialog.m_n = doc.GetComputedMoles(row);
    dialog.m_mass = doc.GetComputedMass(row);
    if (reagent->outputKind == CQELTReagent::kSolution) {
        dialog.m_C = reagent->outputConcentration;
        dialog.m_V = reagent->outputVolume;
        dialog.m_concentrationUnit = reagent->outputConcentrationUnit;
        dialog.m_volumeUnit = reagent->outputVolumeUnit;
    }
    // Only Cancel closes it: what it shows then describes the computed amount, unless it is impossible.
    dialog.DoModal();
    if (!dialog.IsPossible())
        return;
    const CQELTReagent before = *reagent;
    reagent->outputConcentration = dialog.m_C;
    reagent->outputVolume = dialog.m_V;
    reagent->outputConcentrationUnit = dialog.m_concentrationUnit;
    reagent->outputVolumeUnit = dialog.m_volumeUnit;
    reagent->outputKind = CQELTReagent::kSolution;
    OutputDescribed(*this, doc, *reagent, before);
}

void CQELTView1::OnGasOutput(int id) {
    CQELTDoc& doc = Doc();
    const int row = id - kGasOutputBase;
    CQELTReagent* reagent = doc.GetReagent(row);
    if (!RowExists(row) || reagent == nullptr || !doc.HasComputedAmounts())
        return;
    pVnRTCalc dialog;
    dialog.m_standalone = 0;
    dialog.m_fixedAmount = 1;
    dialog.m_formula = reagent->GetFormula();
    dialog.m_M = reagent->GetMolarMass();
    dialog.m_n = doc.GetComputedMoles(row);
    dialog.m_mass = doc.GetComputedMass(row);
    if (reagent->outputKind == CQELTReagent::kGas) {
        dialog.m_p = reagent->outputPressure.value;
        dialog.m_T = reagent->outputTemperature.value;
        dialog.m_V = reagent->outputVolume.value;
        dialog.m_pressureUnit = reagent->outputPressureUnit;
        dialog.m_temperatureUnit = reagent->outputTemperatureUnit;
        dialog.m_volumeUnit = reagent->outputGasVolumeUnit;
        dialog.ToAbsoluteTemperature();
        dialog.UpdateR();
    }
    dialog.DoModal();
    if (dialog.Problem() != ideal_gas::Problem::None)
        return;
    const CQELTReagent before = *reagent;
    reagent->outputKind = CQELTReagent::kGas;
    reagent->outputPressure = dialog.m_p;
    reagent->outputTemperature = dialog.m_T;
    reagent->outputVolume = dialog.m_V;
    reagent->outputPressureUnit = dialog.m_pressureUnit;
    reagent->outputTemperatureUnit = dialog.m_temperatureUnit;
    reagent->outputGasVolumeUnit = dialog.m_volumeUnit;
    OutputDescribed(*this, doc, *reagent, before);
}
