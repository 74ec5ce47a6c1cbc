#include "app/dialogs/concentration_calculator.h"

#include "app/controls/fedit.h"
#include "model/unicode_notation.h"
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
        MapNotify(box, ui::EN_KILLFOCUS, &CConcentrationCalculator::OnKillFocusEdit);
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
    DDX_FEdit(dx, kConcentrationBox, m_C);
    ui::DDV_MinMaxDouble(dx, m_C.value, 0.0, kMaxConcentration);
    // The molar mass is read back where the user can type it: standalone, or (opened for a reagent whose
    // formula is empty) while its box is enabled.
    if (m_standalone != 0 || !dx.IsSaving() || m_molarMassBox->isEnabled())
        DDX_FEdit(dx, kMolarMassBox, m_M);
    ui::DDV_MinMaxDouble(dx, m_M.value, 0.0, kMaxMolarMass);
    DDX_FEdit(dx, kMolesBox, m_n);
    ui::DDV_MinMaxDouble(dx, m_n.value, 0.0, kMaxMoles);
    DDX_FEdit(dx, kVolumeBox, m_V);
    ui::DDV_MinMaxDouble(dx, m_V.value, 0.0, kMaxVolume);
    ui::DDX_Text(dx, kFormulaBox, m_formula, UnicodeToNotation);
    DDX_FEdit(dx, kMassBox, m_mass);
    ui::DDV_MinMaxDouble(dx, m_mass.value, 0.0, kMaxMass);
}

bool CConcentrationCalculator::OnInitDialog() {
    for (int box : {kMolarMassBox, kMassBox, kMolesBox, kVolumeBox, kConcentrationBox})
        CFEdit::Attach(*this, box);
    // A unit code the table does not have (a damaged opener's value) would index past the factors: such a
    // quantity is taken in the default unit.
    if (!IsUnitIndex(VolumeUnitNames, m_volumeUnit))
        m_volumeUnit = 1;
    if (!IsUnitIndex(ConcentrationUnitNames, m_concentrationUnit))
        m_concentrationUnit = 0;
    CalculatorDialog::OnInitDialog();

    m_frame.Attach(kFormulaFrame, *this);
    m_useButton->setEnabled(m_standalone == 0);
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
        m_useButton->setEnabled(false);
        m_clearButton->hide();
    }
    m_frame.SetFormula(m_formula, true);
    m_M = m_frame.GetMolarMass();
    m_molarMassBox->setEnabled(m_formula.empty());
    FillUnitList(m_volumeUnits, VolumeUnitNames, m_volumeUnit);
    FillUnitList(m_concentrationUnits, ConcentrationUnitNames, m_concentrationUnit);
    UpdateData(false);
    return true;
}

double CConcentrationCalculator::VolumeFactor() const {
    return VolumeUnitFactors[static_cast<std::size_t>(m_volumeUnit)];
}

double CConcentrationCalculator::ConcentrationFactor() const {
    return ConcentrationUnitFactors[static_cast<std::size_t>(m_concentrationUnit)];
}

void CConcentrationCalculator::MolesFromMass() {
    if (m_M != 0.0)
        m_n = m_mass / m_M;
}

void CConcentrationCalculator::ConcentrationFromMolesAndVolume() {
    if (m_V != 0.0)
        m_C = (m_n * ConcentrationFactor()) / (m_V / VolumeFactor());
}

void CConcentrationCalculator::VolumeFromMolesAndConcentration() {
    if (m_C != 0.0)
        m_V = (m_n * VolumeFactor()) / (m_C / ConcentrationFactor());
}

void CConcentrationCalculator::MolesFromVolumeAndConcentration() {
    m_n = (m_V / VolumeFactor()) * (m_C / ConcentrationFactor());
    m_mass = m_M * m_n;
}

template <class F> void CConcentrationCalculator::ValueChanged(int box, F compute) {
    if (SwallowChange())
        return;
    RecomputeWhileTyping(box, [this, box, &compute] {
        compute();
        if (box != kMolarMassBox)
            m_formulaBox->setEnabled(m_n == 0.0 && m_standalone != 0);
    });
}

void CConcentrationCalculator::OnMolarMassChange() {
    ValueChanged(kMolarMassBox, [this] {
        if (m_M != 0.0) {
            MolesFromMass();
            ConcentrationFromMolesAndVolume();
        }
    });
}

void CConcentrationCalculator::OnMassChange() {
    ValueChanged(kMassBox, [this] {
        MolesFromMass();
        if (m_mode == kConcentrationConst)
            VolumeFromMolesAndConcentration();
        else if (m_mode != kAmountConst)
            ConcentrationFromMolesAndVolume();
    });
}

void CConcentrationCalculator::OnMolesChange() {
    ValueChanged(kMolesBox, [this] {
        m_mass = m_M * m_n;
        if (m_mode == kConcentrationConst)
            VolumeFromMolesAndConcentration();
        else if (m_mode != kAmountConst)
            ConcentrationFromMolesAndVolume();
    });
}

void CConcentrationCalculator::OnVolumeChange() {
    ValueChanged(kVolumeBox, [this] {
        if (m_mode == kAmountConst)
            ConcentrationFromMolesAndVolume();
        else if (m_mode != kVolumeConst)
            MolesFromVolumeAndConcentration();
    });
}

void CConcentrationCalculator::OnConcentrationChange() {
    ValueChanged(kConcentrationBox, [this] {
        if (m_mode == kAmountConst)
            VolumeFromMolesAndConcentration();
        else if (m_mode != kConcentrationConst)
            MolesFromVolumeAndConcentration();
    });
}

void CConcentrationCalculator::OnFormulaChange() {
    UpdateData(true);
    m_frame.SetFormula(m_formula, true);
    m_M = m_frame.GetMolarMass();
    m_molarMassBox->setEnabled(m_formula.empty());
    UpdateData(false);
    OnMolarMassChange();
}

void CConcentrationCalculator::OnConcentrationUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_concentrationUnits, ConcentrationUnitNames);
    if (unit < 0)
        return;
    m_C = m_C * ConcentrationUnitFactors[static_cast<std::size_t>(unit)] / ConcentrationFactor();
    m_concentrationUnit = unit;
    UpdateData(false);
}

void CConcentrationCalculator::OnVolumeUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_volumeUnits, VolumeUnitNames);
    if (unit < 0)
        return;
    m_V = m_V * VolumeUnitFactors[static_cast<std::size_t>(unit)] / VolumeFactor();
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
    UpdateData(false);
    OnBeSmart();
}
