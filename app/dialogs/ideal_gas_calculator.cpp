#include "app/dialogs/ideal_gas_calculator.h"

#include "app/controls/fedit.h"
#include "app/unit_factors.h"
#include "model/float_numbers_string.h"
#include "model/model_host.h"
#include "model/stp.h"
#include "model/unicode_notation.h"
#include "model/unit_names.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kCelsius = 0;
constexpr int kKelvin = 1;
constexpr int kFahrenheit = 2;
// Digits of the gas constant's text.
constexpr int kRDigits = 5;

// A unit code outside its table (a damaged opener's value) would index past the factors: such a quantity
// is taken in the table's first unit.
void KeepInTable(int& unit, UnitNameTable table) {
    if (!IsUnitIndex(table, unit))
        unit = 0;
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
        MapNotify(box, ui::EN_KILLFOCUS, &pVnRTCalc::OnKillFocusEdit);
}

void pVnRTCalc::ToAbsoluteTemperature() {
    KeepInTable(m_temperatureUnit, TemperatureUnitNames);
    switch (m_temperatureUnit) {
    case kCelsius:
        m_absoluteTemperature = m_T + 273.15;
        break;
    case kKelvin:
        m_absoluteTemperature = m_T;
        break;
    case kFahrenheit:
        m_absoluteTemperature = m_T - 32.0 + 491.67;
        break;
    }
}

void pVnRTCalc::UpdateR() {
    KeepInTable(m_volumeUnit, GasVolumeUnitNames);
    KeepInTable(m_pressureUnit, PressureUnitNames);
    KeepInTable(m_temperatureUnit, TemperatureUnitNames);
    m_R = MolarVolumeByUnit[static_cast<std::size_t>(m_volumeUnit)] *
          PressureUnitsPerAtm[static_cast<std::size_t>(m_pressureUnit)] /
          ZeroCelsiusAbsolute[static_cast<std::size_t>(m_temperatureUnit)];
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

void pVnRTCalc::VolumeFromAmount() {
    if (m_p != 0.0)
        m_V = m_n * m_R * m_absoluteTemperature / m_p;
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
    if (!dx.IsSaving()) // a static: nothing to read back
        ui::DDX_Text(dx, kRText, m_RText);
    ui::DDX_Text(dx, kFormulaBox, m_formula, UnicodeToNotation);
    if (m_standalone != 0 || !dx.IsSaving())
        DDX_FEdit(dx, kMolarMassBox, m_M);
    DDX_FEdit(dx, kPressureBox, m_p);
    DDX_FEdit(dx, kVolumeBox, m_V);
    DDX_FEdit(dx, kTemperatureBox, m_T);
    DDX_FEdit(dx, kMolesBox, m_n);
    DDX_FEdit(dx, kMassBox, m_mass);
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
    m_useButton->setEnabled(m_standalone == 0);
    if (m_fixedAmount != 0) {
        m_massBox->setEnabled(false);
        m_molesBox->setEnabled(false);
        m_volumeBox->setEnabled(false);
        m_useButton->setEnabled(false);
        m_clearButton->hide();
    }
    VolumeFromAmount();
    EnableMassEdit();
    UpdateData(false);
    return true;
}

template <class F> void pVnRTCalc::ValueChanged(int box, F compute) {
    if (SwallowChange())
        return;
    RecomputeWhileTyping(box, compute);
}

void pVnRTCalc::OnPressureChange() {
    ValueChanged(kPressureBox, [this] { VolumeFromAmount(); });
}

void pVnRTCalc::OnTemperatureChange() {
    ValueChanged(kTemperatureBox, [this] {
        ToAbsoluteTemperature();
        VolumeFromAmount();
    });
}

void pVnRTCalc::OnMolesChange() {
    ValueChanged(kMolesBox, [this] {
        if (m_M != 0.0)
            m_mass = m_n * m_M;
        VolumeFromAmount();
        EnableFormulaBox();
    });
}

void pVnRTCalc::OnMassChange() {
    ValueChanged(kMassBox, [this] {
        if (m_M != 0.0)
            m_n = m_mass / m_M;
        VolumeFromAmount();
        EnableFormulaBox();
    });
}

void pVnRTCalc::OnVolumeChange() {
    ValueChanged(kVolumeBox, [this] {
        const double divisor = m_R * m_absoluteTemperature;
        if (divisor != 0.0)
            m_n = m_V * m_p / divisor;
        if (m_M != 0.0)
            m_mass = m_M * m_n;
        EnableFormulaBox();
    });
}

void pVnRTCalc::OnMolarMassChange() {
    if (SwallowChange())
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
    m_V = m_V * MolarVolumeByUnit[static_cast<std::size_t>(unit)] /
          MolarVolumeByUnit[static_cast<std::size_t>(m_volumeUnit)];
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
    VolumeFromAmount();
    UpdateData(false);
}

void pVnRTCalc::ResetConditions() {
    m_p = 1.0;
    m_T = 0.0;
    m_absoluteTemperature = 273.15;
    m_pressureUnit = 0;
    m_temperatureUnit = 0;
    m_volumeUnit = 0;
    SelectUnit(m_pressureUnits, PressureUnitNames, m_pressureUnit);
    SelectUnit(m_temperatureUnits, TemperatureUnitNames, m_temperatureUnit);
    SelectUnit(m_volumeUnits, GasVolumeUnitNames, m_volumeUnit);
    UpdateR();
    m_mass = 0.0;
    m_n = 0.0;
    m_V = 0.0;
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
