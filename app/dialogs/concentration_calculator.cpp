#include "app/dialogs/concentration_calculator.h"

#include "app/controls/fedit.h"
#include "model/unicode_notation.h"
#include "model/unit_factors.h"
#include "model/unit_names.h"
#include "platform/ui/text_codec.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Ranges of the data exchange.
constexpr double kMaxConcentration = 10000.0;
constexpr double kMaxMolarMass = 10000.0;
constexpr double kMaxMoles = 100.0;
constexpr double kMaxVolume = 100000.0;
constexpr double kMaxMass = 100000.0;

constexpr int kRadioIds[4] = {
    CConcentrationCalculator::kBeSmartRadio, CConcentrationCalculator::kVolumeConstRadio,
    CConcentrationCalculator::kConcentrationConstRadio, CConcentrationCalculator::kAmountConstRadio};

} // namespace

CConcentrationCalculator::CConcentrationCalculator(QWidget* parent) : CalculatorDialog(kTemplateId, parent) {
    MapNotify(kMolarMassBox, ui::EN_CHANGE, &CConcentrationCalculator::OnMolarMassChange);
    MapNotify(kMassBox, ui::EN_CHANGE, &CConcentrationCalculator::OnMassChange);
    MapNotify(kMolesBox, ui::EN_CHANGE, &CConcentrationCalculator::OnMolesChange);
    MapNotify(kVolumeBox, ui::EN_CHANGE, &CConcentrationCalculator::OnVolumeChange);
    MapNotify(kConcentrationBox, ui::EN_CHANGE, &CConcentrationCalculator::OnConcentrationChange);
    MapNotify(kFormulaBox, ui::EN_CHANGE, &CConcentrationCalculator::OnFormulaChange);
    MapNotify(kBeSmartRadio, ui::BN_CLICKED, &CConcentrationCalculator::OnBeSmart);
    MapNotify(kAmountConstRadio, ui::BN_CLICKED, &CConcentrationCalculator::OnAmountConst);
    MapNotify(kVolumeConstRadio, ui::BN_CLICKED, &CConcentrationCalculator::OnVolumeConst);
    MapNotify(kConcentrationConstRadio, ui::BN_CLICKED, &CConcentrationCalculator::OnConcentrationConst);
    MapNotify(kClearButton, ui::BN_CLICKED, &CConcentrationCalculator::OnClear);
    MapNotify(kClearAllButton, ui::BN_CLICKED, &CConcentrationCalculator::OnClearAll);
    MapNotify(kConcentrationUnitList, ui::CBN_SELCHANGE,
              &CConcentrationCalculator::OnConcentrationUnitChange);
    MapNotify(kVolumeUnitList, ui::CBN_SELCHANGE, &CConcentrationCalculator::OnVolumeUnitChange);
    for (int box : {kMolarMassBox, kMassBox, kMolesBox, kVolumeBox, kConcentrationBox})
        MapNotifyRange(box, box, ui::EN_KILLFOCUS, &CConcentrationCalculator::OnKillFocusEdit);
}

void CConcentrationCalculator::DoDataExchange(ui::DataExchange& dx) {
    for (int i = 0; i < 4; ++i)
        ui::DDX_Control(dx, kRadioIds[i], m_radios[i]);
    ui::DDX_Control(dx, kMolarMassBox, m_molarMassBox);
    ui::DDX_Control(dx, kVolumeBox, m_volumeBox);
    ui::DDX_Control(dx, kConcentrationBox, m_concentrationBox);
    ui::DDX_Control(dx, kMassBox, m_massBox);
    ui::DDX_Control(dx, kMolesBox, m_molesBox);
    ui::DDX_Control(dx, kFormulaBox, m_formulaBox);
    ui::DDX_Control(dx, ui::IDOK, m_useButton);
    ui::DDX_Control(dx, kClearButton, m_clearButton);
    ui::DDX_Control(dx, kClearAllButton, m_clearAllButton);
    ui::DDX_Radio(dx, kBeSmartRadio, m_mode);
    ui::DDX_Control(dx, kVolumeUnitList, m_volumeUnits);
    ui::DDX_Control(dx, kConcentrationUnitList, m_concentrationUnits);
    if (dx.IsSaving() && TypedBox() >= 0)
        ExchangeValue(dx, TypedBox());
    for (int id : {kConcentrationBox, kMolarMassBox, kMolesBox, kVolumeBox, kFormulaBox, kMassBox})
        ExchangeValue(dx, id);
}

void CConcentrationCalculator::ExchangeValue(ui::DataExchange& dx, int id) {
    switch (id) {
    case kConcentrationBox:
        DDX_FEdit(dx, id, m_C);
        CheckTypedRange(dx, id, m_C.value, 0.0, kMaxConcentration);
        break;
    case kMolarMassBox:
        // The molar mass is read back where the user can type it: standalone, or (opened for a reagent
        // whose formula is empty) while its box is enabled.
        if (m_standalone != 0 || !dx.IsSaving() || m_molarMassBox->isEnabled()) {
            DDX_FEdit(dx, id, m_M);
            CheckTypedRange(dx, id, m_M.value, 0.0, kMaxMolarMass);
        }
        break;
    case kMolesBox:
        DDX_FEdit(dx, id, m_n);
        CheckTypedRange(dx, id, m_n.value, 0.0, kMaxMoles);
        break;
    case kVolumeBox:
        DDX_FEdit(dx, id, m_V);
        CheckTypedRange(dx, id, m_V.value, 0.0, kMaxVolume);
        break;
    case kFormulaBox:
        ui::DDX_Text(dx, id, m_formula, UnicodeToNotation);
        break;
    case kMassBox:
        DDX_FEdit(dx, id, m_mass);
        CheckTypedRange(dx, id, m_mass.value, 0.0, kMaxMass);
        break;
    default:
        break;
    }
}

bool CConcentrationCalculator::OnInitDialog() {
    for (int box : {kMolarMassBox, kMassBox, kMolesBox, kVolumeBox, kConcentrationBox})
        CFEdit::Attach(*this, box);
    // A unit code the table does not have (a damaged opener's value) would index past the factors: such a
    // quantity is taken in the default unit.
    KeepInTable(m_volumeUnit, VolumeUnitNames, 1);
    KeepInTable(m_concentrationUnit, ConcentrationUnitNames, 0);
    CalculatorDialog::OnInitDialog();

    m_frame.Attach(kFormulaFrame, *this);
    m_formulaBox->setEnabled(m_standalone != 0);
    if (m_standalone == 0) {
        m_molarMassBox->setEnabled(false);
        m_formulaBox->setEnabled(false);
        m_clearAllButton->hide();
    }
    if (m_fixedAmount != 0) {
        m_mode = kAmountConst;
        for (QAbstractButton* radio : m_radios)
            radio->setEnabled(false);
        m_massBox->setEnabled(false);
        m_molesBox->setEnabled(false);
        m_clearButton->hide();
    }
    m_frame.SetFormula(m_formula, true);
    m_M = m_frame.GetMolarMass();
    m_molarMassBox->setEnabled(m_formula.empty());
    FillUnitList(m_volumeUnits, VolumeUnitNames, m_volumeUnit);
    FillUnitList(m_concentrationUnits, ConcentrationUnitNames, m_concentrationUnit);
    EnableUse();
    UpdateData(false);
    return true;
}

void CConcentrationCalculator::EnableUse() {
    // Nothing impossible goes back to the opener.
    m_useButton->setEnabled(m_standalone == 0 && m_fixedAmount == 0 && IsPossible());
}

solution::Values CConcentrationCalculator::Values() const {
    return {m_M, m_mass, m_n, m_V, m_C, m_volumeUnit, m_concentrationUnit};
}

void CConcentrationCalculator::ValueChanged(int box, solution::Given given, bool typedByUser) {
    if (SwallowChange(box))
        return;
    RecomputeWhileTyping(
        box,
        [this, box, given] {
            solution::Values values = Values();
            solution::Recompute(values, given, m_mode);
            m_M = values.M;
            m_mass = values.mass;
            m_n = values.n;
            m_V = values.V;
            m_C = values.C;
            if (box != kMolarMassBox)
                m_formulaBox->setEnabled(m_n == 0.0 && m_standalone != 0);
            EnableUse();
        },
        typedByUser);
}

void CConcentrationCalculator::OnMolarMassChange() {
    ValueChanged(kMolarMassBox, solution::Given::MolarMass);
}

void CConcentrationCalculator::OnMassChange() {
    ValueChanged(kMassBox, solution::Given::Mass);
}

void CConcentrationCalculator::OnMolesChange() {
    ValueChanged(kMolesBox, solution::Given::Moles);
}

void CConcentrationCalculator::OnVolumeChange() {
    ValueChanged(kVolumeBox, solution::Given::Volume);
}

void CConcentrationCalculator::OnConcentrationChange() {
    ValueChanged(kConcentrationBox, solution::Given::Concentration);
}

void CConcentrationCalculator::OnFormulaChange() {
    UpdateData(true);
    m_frame.SetFormula(m_formula, true);
    m_M = m_frame.GetMolarMass();
    m_molarMassBox->setEnabled(m_formula.empty());
    UpdateData(false);
    // The molar mass of the formula is no typed one: no range applies to it.
    ValueChanged(kMolarMassBox, solution::Given::MolarMass, false);
}

void CConcentrationCalculator::OnConcentrationUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_concentrationUnits, ConcentrationUnitNames);
    if (unit < 0)
        return;
    m_C = ConvertConcentration(m_C, m_concentrationUnit, unit);
    m_concentrationUnit = unit;
    UpdateData(false);
}

void CConcentrationCalculator::OnVolumeUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_volumeUnits, VolumeUnitNames);
    if (unit < 0)
        return;
    m_V = ConvertSolutionVolume(m_V, m_volumeUnit, unit);
    m_volumeUnit = unit;
    UpdateData(false);
}

void CConcentrationCalculator::EnableBoxes(bool volume, bool concentration, bool amount) {
    m_volumeBox->setEnabled(volume);
    m_concentrationBox->setEnabled(concentration);
    m_massBox->setEnabled(amount);
    m_molesBox->setEnabled(amount);
    UpdateData(true);
}

void CConcentrationCalculator::OnBeSmart() {
    EnableBoxes(true, true, true);
}

void CConcentrationCalculator::OnVolumeConst() {
    EnableBoxes(false, true, true);
}

void CConcentrationCalculator::OnConcentrationConst() {
    EnableBoxes(true, false, true);
}

void CConcentrationCalculator::OnAmountConst() {
    EnableBoxes(true, true, false);
}

void CConcentrationCalculator::OnClear() {
    m_volumeUnit = 1;
    m_concentrationUnit = 0;
    SelectUnit(m_volumeUnits, VolumeUnitNames, m_volumeUnit);
    SelectUnit(m_concentrationUnits, ConcentrationUnitNames, m_concentrationUnit);
    m_V = 0.0;
    m_C = 0.0;
    m_n = 0.0;
    m_mass = 0.0;
    m_mode = kBeSmart;
    EnableUse();
    UpdateData(false);
    OnBeSmart();
}

void CConcentrationCalculator::OnClearAll() {
    m_volumeUnit = 1;
    m_concentrationUnit = 0;
    SelectUnit(m_volumeUnits, VolumeUnitNames, m_volumeUnit);
    SelectUnit(m_concentrationUnits, ConcentrationUnitNames, m_concentrationUnit);
    m_V = 0.0;
    m_C = 0.0;
    m_n = 0.0;
    m_mass = 0.0;
    m_mode = kBeSmart;
    m_formula.clear();
    m_M = 0.0;
    m_formulaBox->setEnabled(true);
    m_molarMassBox->setEnabled(true);
    m_frame.SetFormula(m_formula, true);
    EnableUse();
    UpdateData(false);
    OnBeSmart();
}
