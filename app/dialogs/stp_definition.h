#pragma once

#include "model/stp.h"
#include "platform/ui/dialog.h"

class CFEdit;
class QComboBox;

// "STP definition": the user's standard temperature and pressure, with three presets. It edits a working copy
// and, on "Save", copies it to the application's record and passes its modified flag on to the application's
// program-defaults-modified flag (which makes the exit offer to save "config.dat"). Conditions no gas can be
// at (a pressure not above zero, a temperature not above absolute zero) are refused and the dialog stays
// open.
class CSTPDefinition : public ui::Dialog {
public:
    static constexpr int kTemplateId = 188;
    static constexpr int kPressureBox = 155;
    static constexpr int kPressureUnitList = 156;
    static constexpr int kTemperatureBox = 174;
    static constexpr int kTemperatureUnitList = 175;
    // "Pressure must be above zero and temperature above absolute zero."
    static constexpr int kImpossibleConditions = 2987;

    // standardConditions: the application's record; programDefaultsModified: its flag.
    CSTPDefinition(STP& standardConditions, bool& programDefaultsModified, QWidget* parent = nullptr);

    const STP& WorkingCopy() const { return m_working; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnIupacStp();
    void OnSatp();
    void OnOneAtmZeroC();
    void ApplyPreset(int buttonId);
    void OnValueChange();
    void OnPressureUnitChange();
    void OnTemperatureUnitChange();
    void SelectUnits();

    STP& m_application;
    bool& m_programDefaultsModified;
    CFEdit* m_pressureBox = nullptr;
    CFEdit* m_temperatureBox = nullptr;
    STP m_working;
    QComboBox* m_pressureUnits = nullptr;
    QComboBox* m_temperatureUnits = nullptr;
};
