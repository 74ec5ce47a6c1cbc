// What the empirical formula and percentage calculators work out: unit conversions of an analysis entry,
// the empirical formula and its fit, the shares of the mass.
#include "model/chemical_formula.h"
#include "model/composition_vector.h"
#include "model/element_analysis_data.h"
#include "model/element_table.h"
#include "model/empirical_formula.h"
#include "model/percentages_records.h"
#include "support/test_model_host.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int kHydrogen = 1;
constexpr int kOxygen = 8;

// An entry as the dialog stores it after Evaluate.
ElementAnalysisData Entry(const char* symbol, const char* as, double amount, int unit) {
    ElementAnalysisData entry;
    entry.symbol = symbol;
    entry.asFormula = as;
    entry.amount = CEditableDouble(amount, 0);
    entry.amountUnit = unit;
    std::string status;
    entry.Evaluate(status);
    return entry;
}

ElementAnalysisData RemainingEntry(const char* symbol) {
    ElementAnalysisData entry;
    entry.symbol = symbol;
    entry.asFormula = symbol;
    entry.remainingMass = 1;
    std::string status;
    entry.Evaluate(status);
    return entry;
}

// ---------------------------------------------------------------------------------------------------------
// One entry of an analysis.

TEST(ElementAnalysisData, AmountsInEachUnitGiveMassAndMoles) {
    ScopedTestModelHost host;
    struct Case {
        int unit;
        double amount;
        double mass;
        double moles;
    };
    // Carbon dioxide weighs 44.0095 g/mol with the built-in masses.
    const double m = 12.0107 + 2 * 15.9994;
    const Case cases[] = {
        {ElementAnalysisData::kGrams, 44.0095, 44.0095, 1.0},
        {ElementAnalysisData::kMilligrams, 440.095, 0.440095, 0.01},
        {ElementAnalysisData::kMoles, 2.0, 2 * m, 2.0},
        {ElementAnalysisData::kMillimoles, 500.0, 0.5 * m, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        ElementAnalysisData entry = Entry("C", "CO2", c.amount, c.unit);
        EXPECT_NEAR(entry.asMolarMass, m, 1e-9);
        EXPECT_NEAR(entry.mass, c.mass, 1e-9);
        EXPECT_NEAR(entry.moles, c.moles, 1e-12);
        EXPECT_NEAR(entry.elementMoles, c.moles, 1e-12) << "one carbon atom per molecule";
        EXPECT_NEAR(entry.elementMass, c.moles * 12.0107, 1e-9);
    }
}

TEST(ElementAnalysisData, AtomsOfTheElementInTheMeasuredSubstance) {
    ScopedTestModelHost host;
    std::string status = "old";
    ElementAnalysisData water;
    water.symbol = "H";
    water.asFormula = "H2O";
    water.amount = CEditableDouble(1.0, 2);
    water.amountUnit = ElementAnalysisData::kMoles;
    water.Evaluate(status);
    EXPECT_EQ(status, "");
    EXPECT_EQ(water.elementRow, kHydrogen);
    EXPECT_DOUBLE_EQ(water.elementMoles, 2.0);
    EXPECT_DOUBLE_EQ(water.elementMolarMass, 1.00794);

    ElementAnalysisData wrong = water;
    wrong.asFormula = "CO2";
    wrong.Evaluate(status);
    EXPECT_EQ(status, ElementAnalysisData::kNoElementAtoms);
    EXPECT_DOUBLE_EQ(wrong.elementMoles, 1.0) << "one atom is assumed";

    ElementAnalysisData unknown = water;
    unknown.symbol = "Xx";
    EXPECT_FALSE(unknown.Evaluate(status));
    EXPECT_EQ(status, ElementAnalysisData::kUnknownElement);
    EXPECT_EQ(unknown.elementRow, -1);

    // An "as" formula with an unknown symbol is an error, not a substance without the element.
    ElementAnalysisData misspelt = water;
    misspelt.asFormula = "Xq2O";
    EXPECT_FALSE(misspelt.Evaluate(status));
    EXPECT_EQ(status, ElementAnalysisData::kFormulaError);
    EXPECT_TRUE(std::isnan(misspelt.elementMoles));
    std::vector<ElementAnalysisData> entries = {Entry("C", "C", 1.0, ElementAnalysisData::kMoles), misspelt};
    EXPECT_EQ(ComputeEmpiricalFormula(entries, 0.0).formula, "");
}

TEST(ElementAnalysisData, AnEmptyAsFormulaIsTheElementItself) {
    ScopedTestModelHost host;
    // Whatever the element and the unit, an empty "as" gives what the element's own symbol gives.
    for (const char* symbol : {"C", "H", "O", "Cl", "U"}) {
        for (int unit : {ElementAnalysisData::kGrams, ElementAnalysisData::kMilligrams,
                         ElementAnalysisData::kMoles, ElementAnalysisData::kMillimoles}) {
            SCOPED_TRACE(std::string(symbol) + " in unit " + std::to_string(unit));
            const ElementAnalysisData empty = Entry(symbol, "", 2.5, unit);
            const ElementAnalysisData itself = Entry(symbol, symbol, 2.5, unit);
            EXPECT_EQ(empty.MeasuredAs(), symbol);
            std::string status = "old";
            ElementAnalysisData evaluated = empty;
            EXPECT_TRUE(evaluated.Evaluate(status));
            EXPECT_EQ(status, "");
            EXPECT_GT(empty.asMolarMass, 0.0);
            EXPECT_EQ(empty.asMolarMass, itself.asMolarMass);
            EXPECT_EQ(empty.mass, itself.mass);
            EXPECT_EQ(empty.moles, itself.moles);
            EXPECT_EQ(empty.elementMass, itself.elementMass);
            EXPECT_EQ(empty.elementMoles, itself.elementMoles);
        }
    }
    // Grams of each element with nothing in "as": formaldehyde from 100 g.
    std::vector<ElementAnalysisData> entries = {Entry("C", "", 40.0, ElementAnalysisData::kGrams),
                                                Entry("H", "", 6.7, ElementAnalysisData::kGrams),
                                                Entry("O", "", 53.3, ElementAnalysisData::kGrams)};
    const EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 100.0);
    EXPECT_EQ(result.formula, "CH2O");
    EXPECT_NEAR(ChemicalFormula(result.formula).GetMolarMass(), 30.03, 0.005);
    // An element not recognised has nothing to stand in for the "as" formula.
    EXPECT_EQ(Entry("Xx", "", 1.0, ElementAnalysisData::kGrams).MeasuredAs(), "");
}

TEST(ElementAnalysisData, ChangingTheUnitReExpressesTheAmount) {
    ScopedTestModelHost host;
    ElementAnalysisData entry = Entry("C", "C", 12.0, ElementAnalysisData::kGrams);
    entry.amount.digits = 2;
    const double mass = entry.mass;
    const double moles = entry.moles;
    entry.amountUnit = ElementAnalysisData::kMilligrams;
    entry.UpdateAmountFromQuantities();
    EXPECT_DOUBLE_EQ(entry.amount.value, 12000.0);
    EXPECT_EQ(entry.amount.digits, 0);
    EXPECT_EQ(entry.mass, mass);
    EXPECT_EQ(entry.moles, moles);
    entry.amountUnit = ElementAnalysisData::kMillimoles;
    entry.UpdateAmountFromQuantities();
    EXPECT_NEAR(entry.amount.value, 12000.0 / 12.0107, 1e-9);

    // The sample mass keeps its digits across its units.
    entry.sampleMassTyped = CEditableDouble(2.50, 3);
    entry.UpdateQuantitiesFromAmount();
    EXPECT_DOUBLE_EQ(entry.sampleMass.value, 2.5);
    entry.sampleMassUnit = ElementAnalysisData::kMilligrams;
    entry.UpdateAmountFromQuantities();
    EXPECT_DOUBLE_EQ(entry.sampleMassTyped.value, 2500.0);
    EXPECT_EQ(entry.sampleMassTyped.digits, 3);
    entry.UpdateQuantitiesFromAmount();
    EXPECT_DOUBLE_EQ(entry.sampleMass.value, 2.5);
}

TEST(ElementAnalysisData, MolesFromACalculator) {
    ScopedTestModelHost host;
    ElementAnalysisData entry = Entry("C", "CO2", 0.0, ElementAnalysisData::kMilligrams);
    entry.SetMoles(0.002);
    EXPECT_DOUBLE_EQ(entry.moles, 0.002);
    EXPECT_NEAR(entry.mass, 0.002 * 44.0095, 1e-12);
    EXPECT_NEAR(entry.amount.value, 2 * 44.0095, 1e-9) << "in mg";
}

// ---------------------------------------------------------------------------------------------------------
// The empirical formula.

TEST(EmpiricalFormula, RatiosToTheSmallestAmount) {
    ScopedTestModelHost host;
    std::vector<ElementAnalysisData> entries = {Entry("C", "C", 0.5, ElementAnalysisData::kMoles),
                                                Entry("H", "H", 1.0, ElementAnalysisData::kMoles)};
    EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 0.0);
    EXPECT_EQ(result.formula, "CH2");
    EXPECT_EQ(result.multiplier, 1);
    EXPECT_EQ(result.status, "SSR: 0");
}

TEST(EmpiricalFormula, TheSmallestWholeMultiplierWins) {
    ScopedTestModelHost host;
    struct Case {
        double carbon, hydrogen, oxygen;
        const char* formula;
        int multiplier;
    };
    const Case cases[] = {
        // 1 : 1.5 fits exactly at 2 and at 4: the tie keeps 2.
        {1.0, 1.5, 0.0, "C2H3", 2},
        {3.0, 4.0, 0.0, "C3H4", 3},
        {4.0, 5.0, 0.0, "C4H5", 4},
        // Glucose from grams measured as carbon dioxide and water.
        {6.0, 12.0, 6.0, "CH2O", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        std::vector<ElementAnalysisData> entries = {Entry("C", "", c.carbon, ElementAnalysisData::kMoles),
                                                    Entry("H", "", c.hydrogen, ElementAnalysisData::kMoles)};
        if (c.oxygen > 0)
            entries.push_back(Entry("O", "", c.oxygen, ElementAnalysisData::kMoles));
        const EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 0.0);
        EXPECT_EQ(result.formula, c.formula);
        EXPECT_EQ(result.multiplier, c.multiplier);
        EXPECT_NEAR(result.residuals, 0.0, 1e-20);
    }
}

TEST(EmpiricalFormula, CombustionAnalysisWithItsFit) {
    ScopedTestModelHost host;
    // 0.1000 g of ethanol burns to 0.1910 g CO2 and 0.1173 g H2O; oxygen is what the sample leaves over.
    std::vector<ElementAnalysisData> entries = {Entry("C", "CO2", 191.0, ElementAnalysisData::kMilligrams),
                                                Entry("H", "H2O", 117.3, ElementAnalysisData::kMilligrams),
                                                RemainingEntry("O")};
    const EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 0.1);
    EXPECT_EQ(result.formula, "C2H6O");
    EXPECT_EQ(result.multiplier, 1);
    ASSERT_TRUE(result.status.has_value());
    EXPECT_EQ(result.status->rfind("SSR: ", 0), 0u);
    EXPECT_EQ(result.status->find("mass left"), std::string::npos) << "the oxygen took it";
    EXPECT_LT(result.residuals, 0.01);
    // The remaining-mass entry holds the left-over mass, in grams as its unit says.
    const ElementAnalysisData& oxygen = entries[2];
    EXPECT_NEAR(oxygen.elementMass, 0.1 - entries[0].elementMass - entries[1].elementMass, 1e-15);
    EXPECT_NEAR(oxygen.amount.value, oxygen.elementMass, 1e-15);
    EXPECT_NEAR(oxygen.elementMoles, oxygen.elementMass / 15.9994, 1e-15);
    EXPECT_EQ(oxygen.moles, oxygen.elementMoles);
}

TEST(EmpiricalFormula, MassLeftWithoutARemainingEntry) {
    ScopedTestModelHost host;
    std::vector<ElementAnalysisData> entries = {Entry("C", "C", 12.0107, ElementAnalysisData::kGrams),
                                                Entry("H", "H", 4 * 1.00794, ElementAnalysisData::kGrams)};
    EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 20.0);
    EXPECT_EQ(result.formula, "CH4");
    EXPECT_EQ(result.status, "SSR: 0, mass left: 3.958");
    // The elements weigh more than the sample: the mass left is negative.
    result = ComputeEmpiricalFormula(entries, 10.0);
    EXPECT_EQ(result.status, "SSR: 0, mass left: -6.042");
}

TEST(EmpiricalFormula, OneOrNoEntries) {
    ScopedTestModelHost host;
    std::vector<ElementAnalysisData> entries;
    EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 1.0);
    EXPECT_EQ(result.formula, "");
    EXPECT_FALSE(result.status.has_value());
    entries.push_back(Entry("Fe", "Fe2O3", 0.0, ElementAnalysisData::kGrams));
    result = ComputeEmpiricalFormula(entries, 1.0);
    EXPECT_EQ(result.formula, "Fe");
    EXPECT_FALSE(result.status.has_value()) << "a single entry leaves the status as it was";
}

TEST(EmpiricalFormula, AmountsThatGiveNoFormula) {
    ScopedTestModelHost host;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        double carbonMoles;
        const char* status;
    };
    const Case cases[] = {
        {"an amount of 0", 0.0, kNoPositiveAmount},
        {"moles that are not a number", nan, kNoPositiveAmount},
        {"a negative amount", -1.0, kNoPositiveAmount},
        {"amounts too far apart", 1e-300, kAmountsTooFarApart},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<ElementAnalysisData> entries = {Entry("C", "C", 1.0, ElementAnalysisData::kMoles),
                                                    Entry("H", "H", 1.0, ElementAnalysisData::kMoles)};
        entries[0].elementMoles = c.carbonMoles;
        const EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 0.0);
        EXPECT_EQ(result.formula, "");
        EXPECT_EQ(result.status, c.status);
    }

    // The other elements weigh more than the sample: nothing is left for the oxygen.
    std::vector<ElementAnalysisData> entries = {Entry("C", "C", 1.0, ElementAnalysisData::kGrams),
                                                RemainingEntry("O")};
    const EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 0.5);
    EXPECT_EQ(result.formula, "");
    EXPECT_EQ(result.status, std::string(kNoPositiveAmount) + ", mass left: -0.5");
}

// ---------------------------------------------------------------------------------------------------------
// Percentage composition.

std::vector<PercentagesRecord> PercentagesOf(const char* formula) {
    return ComputePercentages(ChemicalFormula(formula).GetComposition(), GetModelHost().GetElementTable());
}

double SumOfPercents(const std::vector<PercentagesRecord>& records) {
    double sum = 0.0;
    for (const PercentagesRecord& record : records)
        sum += record.percent;
    return sum;
}

TEST(Percentages, WaterIsHydrogenAndOxygen) {
    ScopedTestModelHost host;
    const std::vector<PercentagesRecord> records = PercentagesOf("H2O");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].element, kHydrogen);
    EXPECT_EQ(records[0].symbol, "H");
    EXPECT_EQ(records[0].atoms, 2);
    EXPECT_DOUBLE_EQ(records[0].totalMass, 2 * 1.00794);
    EXPECT_NEAR(records[0].percent, 11.19, 0.005);
    EXPECT_EQ(records[1].element, kOxygen);
    EXPECT_EQ(records[1].atoms, 1);
    EXPECT_NEAR(records[1].percent, 88.81, 0.005);
    EXPECT_NEAR(SumOfPercents(records), 100.0, 1e-9);
}

TEST(Percentages, SharesAlwaysAddUpToTheWhole) {
    ScopedTestModelHost host;
    // A leading coefficient and a hydrate in brackets weigh differently as a mixture; the shares stay
    // shares of what is listed.
    for (const char* formula : {"2H2O", "(NaCl,H2O)2", "CuSO4&5H2O", "K4[Fe(CN)6]", "SO_4^{2-}"}) {
        SCOPED_TRACE(formula);
        const std::vector<PercentagesRecord> records = PercentagesOf(formula);
        ASSERT_FALSE(records.empty());
        EXPECT_NEAR(SumOfPercents(records), 100.0, 1e-9);
        for (const PercentagesRecord& record : records)
            EXPECT_TRUE(record.hasPercent);
    }
    const std::vector<PercentagesRecord> sulfate = PercentagesOf("SO_4^{2-}");
    ASSERT_EQ(sulfate.size(), 2u) << "the charge is no element";
}

TEST(Percentages, NothingToListOrNothingToWeigh) {
    ScopedTestModelHost host;
    EXPECT_TRUE(PercentagesOf("").empty());
    EXPECT_TRUE(PercentagesOf("Xy").empty());
    EXPECT_TRUE(PercentagesOf("e^-").empty());
    // A composition without mass (a weightless moiety) lists its atoms without shares.
    ElementTable& table = GetModelHost().GetElementTable();
    const int ghost = table.AddElement("Gh", "", "", 0.0, 0);
    CompositionVector composition(table.GetCount() + 1);
    composition.Set(ghost, 3);
    const std::vector<PercentagesRecord> records = ComputePercentages(composition, table);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].atoms, 3);
    EXPECT_FALSE(records[0].hasPercent);
}

} // namespace
