#include "app/dialogs/ideal_gas_calculator.h"

#include "app/controls/fedit.h"
#include "model/float_numbers_string.h"
#include "model/ideal_gas.h"
#include "model/model_host.h"
#include "model/stp.h"
#include "model/unicode_notation.h"
#include "model/unit_factors.h"
#include "model/unit_names.h"
#include "platform/ui/string_table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Digits of the gas constant's text.
constexpr int kRDigits = 5;

// The status line's text for what makes the quantities impossible.
int ProblemStringId(ideal_gas::Problem problem) {
    switch (problem) {
    case ideal_gas::Problem::None:
        break;
    case ideal_gas::Problem::Pressure:
        return kGasPressureNotPositive;
    case ideal_gas::Problem::Temperature:
        return kGasTemperatureNotAbsolute;
    case ideal_gas::Problem::MolarMass:
        return kGasMolarMassNegative;
    case ideal_gas::Problem::Amount:
        return kGasAmountNegative;
    case ideal_gas::Problem::Mass:
        return kGasMassNegative;
    case ideal_gas::Problem::Volume:
        return kGasVolumeNegative;
    case ideal_gas::Problem::Overflow:
        return kGasResultTooLarge;
    }
    return 0;
}

} // namespace

pVnRTCalc::pVnRTCalc(QWidget* parent) : CalculatorDialog(kTemplateId, parent) {
    const STP& standard = GetModelHost().GetStandardConditions();
    m_pressureUnit = standard.pressureUnit;
    m_temperatureUnit = standard.temperatureUnit;
    m_p = standard.pressure;
    m_T = standard.temperature;
    ToAbsoluteTemperature();
    UpdateR();

    MapNotify(kPressureBox, ui::EN_CHANGE, &pVnRTCalc::OnPressureChange);
    MapNotify(kTemperatureBox, ui::EN_CHANGE, &pVnRTCalc::OnTemperatureChange);
    MapNotify(kFormulaBox, ui::EN_CHANGE, &pVnRTCalc::OnFormulaChange);
    MapNotify(kMolarMassBox, ui::EN_CHANGE, &pVnRTCalc::OnMolarMassChange);
    MapNotify(kMolesBox, ui::EN_CHANGE, &pVnRTCalc::OnMolesChange);
    MapNotify(kMassBox, ui::EN_CHANGE, &pVnRTCalc::OnMassChange);
    MapNotify(kVolumeBox, ui::EN_CHANGE, &pVnRTCalc::OnVolumeChange);
    MapNotify(kPressureUnitList, ui::CBN_SELCHANGE, &pVnRTCalc::OnPressureUnitChange);
    MapNotify(kTemperatureUnitList, ui::CBN_SELCHANGE, &pVnRTCalc::OnTemperatureUnitChange);
    MapNotify(kVolumeUnitList, ui::CBN_SELCHANGE, &pVnRTCalc::OnVolumeUnitChange);
    MapNotify(kMySTPButton, ui::BN_CLICKED, &pVnRTCalc::OnMySTP);
    MapNotify(kClearButton, ui::BN_CLICKED, &pVnRTCalc::OnClear);
    MapNotify(kClearAllButton, ui::BN_CLICKED, &pVnRTCalc::OnClearAll);
    for (int box : {kMolarMassBox, kMassBox, kMolesBox, kVolumeBox, kPressureBox, kTemperatureBox})
        MapNotifyRange(box, box, ui::EN_KILLFOCUS, &pVnRTCalc::OnKillFocusEdit);
}

void pVnRTCalc::ToAbsoluteTemperature() {
    KeepInTable(m_temperatureUnit, TemperatureUnitNames, 0);
    m_absoluteTemperature = AbsoluteTemperature(m_T, m_temperatureUnit);
}

void pVnRTCalc::UpdateR() {
    KeepInTable(m_volumeUnit, GasVolumeUnitNames, 0);
    KeepInTable(m_pressureUnit, PressureUnitNames, 0);
    KeepInTable(m_temperatureUnit, TemperatureUnitNames, 0);
    m_R = GasConstant(m_volumeUnit, m_pressureUnit, m_temperatureUnit);
    CFloatNumbersString text;
    text.Format(m_R, kRDigits);
    m_RText = text;
}

void pVnRTCalc::EnableMassEdit() {
    m_massBox->setEnabled(m_M != 0.0 && m_fixedAmount == 0);
}

void pVnRTCalc::EnableFormulaBox() {
    m_formulaBox->setEnabled(m_n == 0.0 && m_standalone != 0);
}

void pVnRTCalc::Recompute(ideal_gas::Given given) {
    const ideal_gas::Conditions conditions{m_p, m_pressureUnit, m_T, m_temperatureUnit, m_volumeUnit};
    ideal_gas::Quantities quantities{m_M, m_n, m_mass, m_V};
    m_problem = ideal_gas::Recompute(conditions, quantities, given);
    m_n = quantities.n;
    m_mass = quantities.mass;
    m_V = quantities.V;
    ShowProblem();
}

void pVnRTCalc::ShowProblem() {
    const int text = ProblemStringId(m_problem);
    m_status = text != 0 ? ui::LoadStringBytes(text) : std::string();
    // Nothing impossible goes back to the opener.
    if (m_useButton != nullptr)
        m_useButton->setEnabled(m_standalone == 0 && m_fixedAmount == 0 &&
                                m_problem == ideal_gas::Problem::None);
}

void pVnRTCalc::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, ui::IDOK, m_useButton);
    ui::DDX_Control(dx, kClearButton, m_clearButton);
    ui::DDX_Control(dx, kClearAllButton, m_clearAllButton);
    ui::DDX_Control(dx, kFormulaBox, m_formulaBox);
    ui::DDX_Control(dx, kMolarMassBox, m_molarMassBox);
    ui::DDX_Control(dx, kPressureBox, m_pressureBox);
    ui::DDX_Control(dx, kVolumeBox, m_volumeBox);
    ui::DDX_Control(dx, kTemperatureBox, m_temperatureBox);
    ui::DDX_Control(dx, kMolesBox, m_molesBox);
    ui::DDX_Control(dx, kMassBox, m_massBox);
    ui::DDX_Control(dx, kVolumeUnitList, m_volumeUnits);
    ui::DDX_Control(dx, kTemperatureUnitList, m_temperatureUnits);
    ui::DDX_Control(dx, kPressureUnitList, m_pressureUnits);
    if (!dx.IsSaving()) { // statics: nothing to read back
        ui::DDX_Text(dx, kRText, m_RText);
        ui::DDX_Text(dx, kStatusText, m_status);
    }
    ui::DDX_Text(dx, kFormulaBox, m_formula, UnicodeToNotation);
    if (dx.IsSaving() && TypedBox() >= 0)
        ExchangeValue(dx, TypedBox());
    for (int id : {kMolarMassBox, kPressureBox, kVolumeBox, kTemperatureBox, kMolesBox, kMassBox})
        ExchangeValue(dx, id);
}

void pVnRTCalc::ExchangeValue(ui::DataExchange& dx, int id) {
    switch (id) {
    case kMolarMassBox:
        if (m_standalone != 0 || !dx.IsSaving())
            DDX_FEdit(dx, id, m_M);
        break;
    case kPressureBox:
        DDX_FEdit(dx, id, m_p);
        break;
    case kVolumeBox:
        DDX_FEdit(dx, id, m_V);
        break;
    case kTemperatureBox:
        DDX_FEdit(dx, id, m_T);
        break;
    case kMolesBox:
        DDX_FEdit(dx, id, m_n);
        break;
    case kMassBox:
        DDX_FEdit(dx, id, m_mass);
        break;
    default:
        break;
    }
}

bool pVnRTCalc::OnInitDialog() {
    for (int box : {kMolarMassBox, kPressureBox, kTemperatureBox, kMolesBox, kMassBox, kVolumeBox})
        CFEdit::Attach(*this, box);
    ToAbsoluteTemperature();
    UpdateR();
    CalculatorDialog::OnInitDialog();

    m_frame.Attach(kFormulaFrame, *this);
    FillUnitList(m_pressureUnits, PressureUnitNames, m_pressureUnit);
    FillUnitList(m_temperatureUnits, TemperatureUnitNames, m_temperatureUnit);
    FillUnitList(m_volumeUnits, GasVolumeUnitNames, m_volumeUnit);
    m_frame.SetFormula(m_formula, true);
    if (m_standalone == 0) {
        m_molarMassBox->setEnabled(false);
        m_formulaBox->setEnabled(false);
        m_clearAllButton->hide();
    }
    if (m_fixedAmount != 0) {
        m_massBox->setEnabled(false);
        m_molesBox->setEnabled(false);
        m_volumeBox->setEnabled(false);
        m_clearButton->hide();
    }
    Recompute(ideal_gas::Given::Conditions);
    EnableMassEdit();
    UpdateData(false);
    return true;
}

void pVnRTCalc::ValueChanged(int box, ideal_gas::Given given) {
    if (SwallowChange(box))
        return;
    RecomputeWhileTyping(box, [this, box, given] {
        if (box == kTemperatureBox)
            ToAbsoluteTemperature();
        Recompute(given);
        if (box != kPressureBox && box != kTemperatureBox)
            EnableFormulaBox();
    });
}

void pVnRTCalc::OnPressureChange() {
    ValueChanged(kPressureBox, ideal_gas::Given::Conditions);
}

void pVnRTCalc::OnTemperatureChange() {
    ValueChanged(kTemperatureBox, ideal_gas::Given::Conditions);
}

void pVnRTCalc::OnMolesChange() {
    ValueChanged(kMolesBox, ideal_gas::Given::Moles);
}

void pVnRTCalc::OnMassChange() {
    ValueChanged(kMassBox, ideal_gas::Given::Mass);
}

void pVnRTCalc::OnVolumeChange() {
    ValueChanged(kVolumeBox, ideal_gas::Given::Volume);
}

void pVnRTCalc::OnMolarMassChange() {
    if (SwallowChange(kMolarMassBox))
        return;
    UpdateData(true);
    EnableMassEdit();
}

void pVnRTCalc::OnFormulaChange() {
    UpdateData(true);
    m_frame.SetFormula(m_formula, true);
    m_M = m_frame.GetMolarMass();
    UpdateData(false);
    m_molarMassBox->setEnabled(m_formula.empty());
    EnableMassEdit();
}

void pVnRTCalc::OnPressureUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_pressureUnits, PressureUnitNames);
    if (unit < 0)
        return;
    m_p = ConvertPressure(m_p, m_pressureUnit, unit);
    m_pressureUnit = unit;
    UpdateR();
    UpdateData(false);
}

void pVnRTCalc::OnTemperatureUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_temperatureUnits, TemperatureUnitNames);
    if (unit < 0)
        return;
    m_T = ConvertTemperature(m_T, m_temperatureUnit, unit);
    m_temperatureUnit = unit;
    ToAbsoluteTemperature();
    UpdateR();
    UpdateData(false);
}

void pVnRTCalc::OnVolumeUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_volumeUnits, GasVolumeUnitNames);
    if (unit < 0)
        return;
    m_V = ConvertGasVolume(m_V, m_volumeUnit, unit);
    m_volumeUnit = unit;
    UpdateR();
    UpdateData(false);
}

void pVnRTCalc::OnMySTP() {
    const STP& standard = GetModelHost().GetStandardConditions();
    m_p = standard.pressure;
    m_T = standard.temperature;
    m_pressureUnit = standard.pressureUnit;
    m_temperatureUnit = standard.temperatureUnit;
    ToAbsoluteTemperature();
    UpdateR();
    SelectUnit(m_pressureUnits, PressureUnitNames, m_pressureUnit);
    SelectUnit(m_temperatureUnits, TemperatureUnitNames, m_temperatureUnit);
    Recompute(ideal_gas::Given::Conditions);
    UpdateData(false);
}

void pVnRTCalc::ResetConditions() {
    m_p = 1.0;
    m_T = 0.0;
    m_pressureUnit = 0;
    m_temperatureUnit = 0;
    m_volumeUnit = 0;
    SelectUnit(m_pressureUnits, PressureUnitNames, m_pressureUnit);
    SelectUnit(m_temperatureUnits, TemperatureUnitNames, m_temperatureUnit);
    SelectUnit(m_volumeUnits, GasVolumeUnitNames, m_volumeUnit);
    ToAbsoluteTemperature();
    UpdateR();
    m_mass = 0.0;
    m_n = 0.0;
    m_V = 0.0;
    m_problem = ideal_gas::Problem::None;
    ShowProblem();
    // With no amount left the formula may be edited again, where it can be edited at all.
    m_formulaBox->setEnabled(m_standalone != 0);
}

void pVnRTCalc::OnClear() {
    ResetConditions();
    UpdateData(false);
}

void pVnRTCalc::OnClearAll() {
    ResetConditions();
    m_M = 0.0;
    m_formulaBox->setEnabled(true);
    m_molarMassBox->setEnabled(true);
    m_formula.clear();
    m_frame.SetFormula(m_formula, true);
    EnableMassEdit();
    UpdateData(false);
}
