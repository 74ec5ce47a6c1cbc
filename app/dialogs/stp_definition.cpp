#include "app/dialogs/stp_definition.h"

#include "app/controls/fedit.h"
#include "app/dialogs/stp_presets.h"
#include "model/unit_factors.h"
#include "model/unit_names.h"
#include "platform/ui/message_box.h"
#include "platform/ui/text_codec.h"

#include <QComboBox>

namespace {

void FillUnitList(QComboBox* list, UnitNameTable names) {
    list->clear();
    for (const std::string_view name : names)
        list->addItem(ui::FromCp1252(std::string(name)));
}

// The unit code of the list's selected entry, or -1.
int SelectedUnit(const QComboBox* list, UnitNameTable names) {
    return UnitIndex(names, ui::ToCp1252(list->currentText()));
}

} // namespace

CSTPDefinition::CSTPDefinition(STP& standardConditions, bool& programDefaultsModified, QWidget* parent)
    : ui::Dialog(kTemplateId, parent), m_application(standardConditions),
      m_programDefaultsModified(programDefaultsModified) {
    m_working.Copy(standardConditions);
    MapNotify(kIupacStpButton, ui::BN_CLICKED, &CSTPDefinition::OnIupacStp);
    MapNotify(kSatpButton, ui::BN_CLICKED, &CSTPDefinition::OnSatp);
    MapNotify(kOneAtmZeroCButton, ui::BN_CLICKED, &CSTPDefinition::OnOneAtmZeroC);
    MapNotify(kPressureBox, ui::EN_CHANGE, &CSTPDefinition::OnValueChange);
    MapNotify(kTemperatureBox, ui::EN_CHANGE, &CSTPDefinition::OnValueChange);
    MapNotify(kPressureUnitList, ui::CBN_SELCHANGE, &CSTPDefinition::OnPressureUnitChange);
    MapNotify(kTemperatureUnitList, ui::CBN_SELCHANGE, &CSTPDefinition::OnTemperatureUnitChange);
}

void CSTPDefinition::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, kPressureBox, m_pressureBox);
    ui::DDX_Control(dx, kTemperatureBox, m_temperatureBox);
    ui::DDX_Control(dx, kPressureUnitList, m_pressureUnits);
    ui::DDX_Control(dx, kTemperatureUnitList, m_temperatureUnits);
    DDX_FEdit(dx, kPressureBox, m_working.pressure);
    DDX_FEdit(dx, kTemperatureBox, m_working.temperature);
}

bool CSTPDefinition::OnInitDialog() {
    CFEdit::Attach(*this, kPressureBox);
    CFEdit::Attach(*this, kTemperatureBox);
    ui::Dialog::OnInitDialog();
    FillUnitList(m_pressureUnits, PressureUnitNames);
    FillUnitList(m_temperatureUnits, TemperatureUnitNames);
    SelectUnits();
    return true;
}

void CSTPDefinition::SelectUnits() {
    m_pressureUnits->setCurrentIndex(m_working.pressureUnit);
    m_temperatureUnits->setCurrentIndex(m_working.temperatureUnit);
}

void CSTPDefinition::ApplyPreset(int buttonId) {
    for (const StpPreset& preset : StpPresets) {
        if (preset.buttonId != buttonId)
            continue;
        m_working.pressure = preset.pressure;
        m_working.pressureUnit = preset.pressureUnit;
        m_working.temperature = preset.temperature;
        m_working.temperatureUnit = preset.temperatureUnit;
    }
    SelectUnits();
    m_working.modified = true;
    UpdateData(false);
}

void CSTPDefinition::OnIupacStp() {
    ApplyPreset(kIupacStpButton);
}

void CSTPDefinition::OnSatp() {
    ApplyPreset(kSatpButton);
}

void CSTPDefinition::OnOneAtmZeroC() {
    ApplyPreset(kOneAtmZeroCButton);
}

void CSTPDefinition::OnValueChange() {
    m_working.modified = true;
}

void CSTPDefinition::OnPressureUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_pressureUnits, PressureUnitNames);
    if (!IsPressureUnit(unit) || !IsPressureUnit(m_working.pressureUnit))
        return;
    m_working.pressure = ConvertPressure(m_working.pressure, m_working.pressureUnit, unit);
    m_working.pressureUnit = unit;
    m_working.modified = true;
    UpdateData(false);
}

// The temperature list converts as the pressure list does, so that the stored temperature always means what
// the list shows.
void CSTPDefinition::OnTemperatureUnitChange() {
    UpdateData(true);
    const int unit = SelectedUnit(m_temperatureUnits, TemperatureUnitNames);
    if (!IsTemperatureUnit(unit) || !IsTemperatureUnit(m_working.temperatureUnit))
        return;
    m_working.temperature = ConvertTemperature(m_working.temperature, m_working.temperatureUnit, unit);
    m_working.temperatureUnit = unit;
    m_working.modified = true;
    UpdateData(false);
}

void CSTPDefinition::OnOK() {
    if (!UpdateData(true))
        return;
    // Conditions no gas can be at would become every new reagent's and "config.dat"'s.
    if (!m_working.IsPhysical()) {
        ui::MessageBox(kImpossibleConditions, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        GotoDlgCtrl(m_working.HasPhysicalPressure() ? static_cast<QWidget*>(m_temperatureBox)
                                                    : m_pressureBox);
        return;
    }
    m_application.Copy(m_working);
    m_programDefaultsModified = m_working.modified;
    EndDialog(ui::IDOK);
}
