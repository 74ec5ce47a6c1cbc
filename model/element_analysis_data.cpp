#include "model/element_analysis_data.h"

#include "model/chemical_formula.h"
#include "model/composition_vector.h"
#include "model/element_table.h"
#include "model/model_host.h"

#include <limits>

namespace {

// Moles of a mass; not a number when the molar mass is unknown (0).
double MolesOf(double grams, double molarMass) {
    if (molarMass == 0.0)
        return std::numeric_limits<double>::quiet_NaN();
    return grams / molarMass;
}

} // namespace

void ElementAnalysisData::UpdateQuantitiesFromAmount() {
    const double a = amount.value;
    switch (amountUnit) {
    case kGrams:
        mass = a;
        moles = MolesOf(mass, asMolarMass);
        break;
    case kMilligrams:
        mass = a / 1000.0;
        moles = MolesOf(mass, asMolarMass);
        break;
    case kMoles:
        moles = a;
        mass = moles * asMolarMass;
        break;
    case kMillimoles:
        moles = a / 1000.0;
        mass = moles * asMolarMass;
        break;
    default:
        break;
    }
    sampleMass = sampleMassUnit == kMilligrams ? sampleMassTyped / 1000.0 : sampleMassTyped;
}

void ElementAnalysisData::UpdateAmountFromQuantities() {
    switch (amountUnit) {
    case kGrams:
        amount = mass;
        break;
    case kMilligrams:
        amount = mass * 1000.0;
        break;
    case kMoles:
        amount = moles;
        break;
    case kMillimoles:
        amount = moles * 1000.0;
        break;
    default:
        break;
    }
    sampleMassTyped = sampleMassUnit == kMilligrams ? sampleMass * 1000.0 : sampleMass;
}

void ElementAnalysisData::SetMoles(double value) {
    moles = value;
    mass = value * asMolarMass;
    UpdateAmountFromQuantities();
}

std::string ElementAnalysisData::MeasuredAs() const {
    return asFormula.empty() && elementRow != -1 ? symbol : asFormula;
}

void ElementAnalysisData::WeighMeasuredAs() {
    asMolarMass = ChemicalFormula(MeasuredAs()).GetMolarMass();
    UpdateQuantitiesFromAmount();
}

bool ElementAnalysisData::Evaluate(std::string& status) {
    const ElementTable& table = GetModelHost().GetElementTable();
    elementRow = table.Find(symbol);
    status.clear();
    if (elementRow == -1)
        status = kUnknownElement;
    else
        elementMolarMass = table[elementRow].GetMolarMass();
    if (remainingMass != 0)
        return elementRow != -1;

    const std::string measuredAs = MeasuredAs();
    const ChemicalFormula formula(measuredAs);
    const CompositionVector composition = formula.GetComposition();
    asMolarMass = formula.GetMolarMass();
    UpdateQuantitiesFromAmount();

    if (formula.HasParseError()) {
        status = kFormulaError;
        elementMoles = std::numeric_limits<double>::quiet_NaN();
        elementMass = elementMoles;
        return false;
    }
    int atoms = 1;
    if (!measuredAs.empty() && elementRow != -1) {
        atoms = composition[elementRow];
        if (atoms == 0) {
            status = kNoElementAtoms;
            atoms = 1;
        }
    }
    elementMoles = atoms * moles;
    elementMass = elementMolarMass * elementMoles;
    return elementRow != -1;
}
