#pragma once

#include "app/controls/static_formula_frame.h"
#include "app/dialogs/calculator_dialog.h"
#include "model/editable_double.h"
#include "model/solution.h"

#include <string>

class CFEdit;
class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Concentration calculator n=CV": the amount of a substance in a solution from its volume and
// concentration, or the other way round, with the molar mass linking amount and mass. Whenever a box
// changes, the boxes that depend on it are recomputed at once, carrying significant digits; the radio group
// says which quantity stays constant.
//
// The opener fills the public members, runs DoModal and reads them back. Opened from the menu it is
// standalone (formula and molar mass editable, "Use" disabled); opened for a reagent or an analysis entry
// standalone is 0; for a computed amount fixedAmount is 1 (mass and n may not change, only Cancel closes).
class CConcentrationCalculator : public CalculatorDialog {
public:
    static constexpr int kTemplateId = 180;
    // Controls.
    static constexpr int kFormulaBox = 140;
    static constexpr int kMolarMassBox = 147;
    static constexpr int kFormulaFrame = 141;
    static constexpr int kBeSmartRadio = 119;
    static constexpr int kVolumeBox = 177;
    static constexpr int kVolumeUnitList = 178;
    static constexpr int kVolumeConstRadio = 126;
    static constexpr int kConcentrationBox = 122;
    static constexpr int kConcentrationUnitList = 123;
    static constexpr int kConcentrationConstRadio = 124;
    static constexpr int kMassBox = 170;
    static constexpr int kMolesBox = 148;
    static constexpr int kAmountConstRadio = 125;
    static constexpr int kClearAllButton = 121;
    static constexpr int kClearButton = 120;
    // Modes of the radio group.
    enum Mode {
        kBeSmart = solution::kBeSmart,
        kVolumeConst = solution::kVolumeConst,
        kConcentrationConst = solution::kConcentrationConst,
        kAmountConst = solution::kAmountConst
    };

    explicit CConcentrationCalculator(QWidget* parent = nullptr);

    // What the opener sets and reads back. C in the concentration unit, M in g/mol, n in mol, V in the
    // volume unit, mass in g.
    std::string m_formula;
    CEditableDouble m_C;
    CEditableDouble m_M;
    CEditableDouble m_n;
    CEditableDouble m_V;
    CEditableDouble m_mass;
    int m_volumeUnit = 1;        // mL
    int m_concentrationUnit = 0; // mol/L
    int m_standalone = 1;
    int m_fixedAmount = 0;
    int m_mode = kBeSmart;

    const CStaticFormulaFrame& Frame() const { return m_frame; }
    // False while a value is impossible (negative, or "???" after a negative input).
    bool IsPossible() const { return solution::FindProblem(Values()) == solution::Problem::None; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnMolarMassChange();
    void OnMassChange();
    void OnMolesChange();
    void OnVolumeChange();
    void OnConcentrationChange();
    void OnFormulaChange();
    void OnBeSmart();
    void OnAmountConst();
    void OnVolumeConst();
    void OnConcentrationConst();
    void OnClear();
    void OnClearAll();
    void OnConcentrationUnitChange();
    void OnVolumeUnitChange();

    // The value handlers' common steps around the recomputation from the box.
    void ValueChanged(int box, solution::Given given, bool typedByUser = true);
    void ExchangeValue(ui::DataExchange& dx, int id);
    solution::Values Values() const;
    // "Use" where the opener takes the values back and they are all possible.
    void EnableUse();
    void EnableBoxes(bool volume, bool concentration, bool amount);

    CStaticFormulaFrame m_frame;
    QAbstractButton* m_radios[4] = {};
    CFEdit* m_molarMassBox = nullptr;
    CFEdit* m_volumeBox = nullptr;
    CFEdit* m_concentrationBox = nullptr;
    CFEdit* m_massBox = nullptr;
    CFEdit* m_molesBox = nullptr;
    QLineEdit* m_formulaBox = nullptr;
    QPushButton* m_useButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_clearAllButton = nullptr;
    QComboBox* m_volumeUnits = nullptr;
    QComboBox* m_concentrationUnits = nullptr;
};
