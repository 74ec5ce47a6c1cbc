#pragma once

#include "model/editable_double.h"

#include <string>

// One element of an elemental analysis: the element, the substance it was measured as ("as" formula), the
// amount measured in one of the MassUnitNames units, and what follows from them: grams and moles of the
// "as" substance, and grams and moles of the element itself. It also keeps the conditions last used with
// the solution and gas calculators for this entry, and the sample mass as it was when the entry was stored.
//
// An entry flagged "remaining mass" takes as its element mass whatever the sample mass leaves over after
// the other elements (see ComputeEmpiricalFormula).
struct ElementAnalysisData {
    // Amount units: indexes into MassUnitNames.
    static constexpr int kGrams = 0;
    static constexpr int kMilligrams = 1;
    static constexpr int kMoles = 2;
    static constexpr int kMillimoles = 3;

    // The messages Evaluate leaves in the status.
    static constexpr const char* kUnknownElement = "Error: can't recognize element symbol";
    static constexpr const char* kNoElementAtoms = "No element atoms in the 'as' molecule, assuming 1";
    static constexpr const char* kFormulaError = "Error: can't read the 'as' formula";

    std::string symbol;
    // The formula of the substance measured; for a remaining-mass entry the element symbol itself. Empty
    // means the element itself (see MeasuredAs).
    std::string asFormula;
    // Row of the symbol in the element table; -1 when it is not recognised.
    int elementRow = -1;
    int amountUnit = kGrams;
    // kGrams or kMilligrams.
    int sampleMassUnit = kGrams;
    // 0 or 1, as a check box exchanges it.
    int remainingMass = 0;
    // As typed, in the amount unit.
    CEditableDouble amount;
    // As typed, in the sample-mass unit.
    CEditableDouble sampleMassTyped;
    // Grams and moles of the "as" substance, and its molar mass.
    double mass = 0.0;
    double moles = 0.0;
    double asMolarMass = 0.0;
    // Grams, molar mass and moles of the element.
    double elementMass = 0.0;
    double elementMolarMass = 0.0;
    double elementMoles = 0.0;
    // Units and conditions last used with the gas and the solution calculator.
    int pressureUnit = 0;
    int temperatureUnit = 0;
    int gasVolumeUnit = 0;
    int volumeUnit = 1;
    int concentrationUnit = 0;
    CEditableDouble pressure{1.0, 0};
    CEditableDouble temperature;
    // Shared by the gas and the solution calculator.
    CEditableDouble volume;
    CEditableDouble concentration;
    // The sample mass in grams.
    CEditableDouble sampleMass;

    // The formula the amount was measured as: the "as" formula, or the element's symbol when it is empty
    // and the element is recognised. Everything that reads the "as" formula reads it through this.
    std::string MeasuredAs() const;
    // The "as" molar mass of MeasuredAs (0 when it does not parse), then the quantities from the amount.
    void WeighMeasuredAs();

    // Mass and moles of the "as" substance from the amount as typed, and the sample mass in grams from the
    // sample mass as typed. Moles from a mass need the "as" molar mass: without one they are not a number.
    void UpdateQuantitiesFromAmount();
    // The reverse, after a change of unit: the amount and the sample mass as typed re-expressed in their
    // units, so that the quantities keep their meaning. The amount loses its count of digits, the sample
    // mass keeps it.
    void UpdateAmountFromQuantities();
    // Moles from a calculator: mass from the "as" molar mass, then the amount in its unit.
    void SetMoles(double value);

    // Looks the element up, weighs the "as" substance and works out the element's mass and moles. status
    // is cleared, then receives kUnknownElement, kFormulaError (an "as" formula that does not parse, such
    // as one with an unknown symbol) or kNoElementAtoms when they apply. An empty "as" formula is the element
    // itself, as for a remaining-mass entry. Returns false when the entry cannot count towards a formula:
    // its element is unknown or its "as" formula does not parse (its element moles are then not a number).
    bool Evaluate(std::string& status);
};
