#pragma once

#include "app/controls/static_formula_frame.h"
#include "app/dialogs/calculator_dialog.h"
#include "model/ideal_gas.h"

#include <string>

class CFEdit;
class QComboBox;
class QLineEdit;
class QPushButton;

// Texts of the status line (string table).
inline constexpr int kGasPressureNotPositive = 2980;
inline constexpr int kGasTemperatureNotAbsolute = 2981;
inline constexpr int kGasMolarMassNegative = 2982;
inline constexpr int kGasAmountNegative = 2983;
inline constexpr int kGasMassNegative = 2984;
inline constexpr int kGasVolumeNegative = 2985;
inline constexpr int kGasResultTooLarge = 2986;

// "Ideal gas calculator pV=nRT": the volume of an amount of gas at a pressure and temperature, V = nRT/p,
// with R derived from the molar volume at 0 C and 1 atm in the units chosen for pressure, temperature and
// volume; the molar mass links amount and mass. Whenever a box changes, the boxes that depend on it are
// recomputed at once. The values are plain numbers shown with the display digits. "My STP" loads the
// application's standard temperature and pressure.
//
// Openers fill the public members; when they set p, T or a unit they call ToAbsoluteTemperature and UpdateR
// before DoModal. Standalone (from the menu) the formula and molar mass are editable and "Use" is disabled;
// for a computed amount fixedAmount is 1 (n, mass and V may not change, only Cancel closes).
class pVnRTCalc : public CalculatorDialog {
public:
    static constexpr int kTemplateId = 186;
    // Controls.
    static constexpr int kFormulaBox = 139;
    static constexpr int kMolarMassBox = 147;
    static constexpr int kFormulaFrame = 141;
    static constexpr int kPressureBox = 155;
    static constexpr int kPressureUnitList = 156;
    static constexpr int kTemperatureBox = 174;
    static constexpr int kTemperatureUnitList = 175;
    static constexpr int kRText = 161;
    static constexpr int kMolesBox = 151;
    static constexpr int kMassBox = 144;
    static constexpr int kVolumeBox = 177;
    static constexpr int kVolumeUnitList = 178;
    static constexpr int kClearAllButton = 121;
    static constexpr int kClearButton = 120;
    static constexpr int kMySTPButton = 168;
    static constexpr int kStatusText = 179;

    // The application's standard conditions as p, T and their units; litres.
    explicit pVnRTCalc(QWidget* parent = nullptr);

    // T on the absolute scale of the temperature unit (kelvin for C and K, degrees Rankine for F).
    void ToAbsoluteTemperature();
    // R in the current units, and its text (5 significant digits).
    void UpdateR();
    // Enables the mass box exactly when M is not 0 and the amount is not fixed.
    void EnableMassEdit();

    // What the opener sets and reads back: units index PressureUnitNames, TemperatureUnitNames and
    // GasVolumeUnitNames.
    int m_pressureUnit = 0;
    int m_temperatureUnit = 0;
    int m_volumeUnit = 0; // L
    double m_p = 1.0;
    double m_T = 0.0;
    double m_V = 0.0;
    double m_absoluteTemperature = 273.15;
    double m_R = 0.0;
    int m_standalone = 1;
    int m_fixedAmount = 0;
    std::string m_formula;
    double m_M = 0.0;
    double m_n = 0.0;
    double m_mass = 0.0;

    const std::string& RText() const { return m_RText; }
    // What makes the shown quantities impossible ("???"), as the status line says; None when nothing does.
    ideal_gas::Problem Problem() const { return m_problem; }
    const CStaticFormulaFrame& Frame() const { return m_frame; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnPressureChange();
    void OnTemperatureChange();
    void OnFormulaChange();
    void OnMolarMassChange();
    void OnMolesChange();
    void OnMassChange();
    void OnVolumeChange();
    void OnPressureUnitChange();
    void OnTemperatureUnitChange();
    void OnVolumeUnitChange();
    void OnMySTP();
    void OnClear();
    void OnClearAll();

    void ValueChanged(int box, ideal_gas::Given given);
    void ExchangeValue(ui::DataExchange& dx, int id);
    // The quantities that depend on what was given, and the status line and "Use" after them.
    void Recompute(ideal_gas::Given given);
    void ShowProblem();
    // The formula box is editable while no amount is given, standalone only.
    void EnableFormulaBox();
    void ResetConditions();

    CStaticFormulaFrame m_frame;
    std::string m_RText;
    std::string m_status;
    ideal_gas::Problem m_problem = ideal_gas::Problem::None;
    QPushButton* m_useButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_clearAllButton = nullptr;
    QLineEdit* m_formulaBox = nullptr;
    CFEdit* m_molarMassBox = nullptr;
    CFEdit* m_pressureBox = nullptr;
    CFEdit* m_volumeBox = nullptr;
    CFEdit* m_temperatureBox = nullptr;
    CFEdit* m_molesBox = nullptr;
    CFEdit* m_massBox = nullptr;
    QComboBox* m_volumeUnits = nullptr;
    QComboBox* m_temperatureUnits = nullptr;
    QComboBox* m_pressureUnits = nullptr;
};
