// What the element editor, the empirical formula calculator and the percentage calculator work out, without
// their windows: unit conversions of an analysis entry, the empirical formula and its fit, the shares of the
// mass, the editor's input rules and the orders of the sorted lists.
#include "app/dialogs/column_sort.h"
#include "app/dialogs/element_analysis_data.h"
#include "app/dialogs/elements_editor_rules.h"
#include "app/dialogs/empirical_formula.h"
#include "app/dialogs/percentages_records.h"
#include "app_test_host.h"
#include "model/chemical_formula.h"
#include "model/composition_vector.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int kCarbon = 6;
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
    AppTestHost host;
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
    AppTestHost host;
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
    unknown.Evaluate(status);
    EXPECT_EQ(status, ElementAnalysisData::kUnknownElement);
    EXPECT_EQ(unknown.elementRow, -1);
}

TEST(ElementAnalysisData, AnEmptyAsFormulaTakesMolesAsTheyAre) {
    AppTestHost host;
    ElementAnalysisData inMoles = Entry("C", "", 0.25, ElementAnalysisData::kMoles);
    EXPECT_DOUBLE_EQ(inMoles.elementMoles, 0.25);
    EXPECT_DOUBLE_EQ(inMoles.elementMass, 0.25 * 12.0107);

    // A mass cannot be turned into moles without a molar mass.
    ElementAnalysisData inGrams = Entry("C", "", 3.0, ElementAnalysisData::kGrams);
    EXPECT_FALSE(std::isfinite(inGrams.elementMoles));
}

TEST(ElementAnalysisData, ChangingTheUnitReExpressesTheAmount) {
    AppTestHost host;
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
    AppTestHost host;
    ElementAnalysisData entry = Entry("C", "CO2", 0.0, ElementAnalysisData::kMilligrams);
    entry.SetMoles(0.002);
    EXPECT_DOUBLE_EQ(entry.moles, 0.002);
    EXPECT_NEAR(entry.mass, 0.002 * 44.0095, 1e-12);
    EXPECT_NEAR(entry.amount.value, 2 * 44.0095, 1e-9) << "in mg";
}

// ---------------------------------------------------------------------------------------------------------
// The empirical formula.

TEST(EmpiricalFormula, RatiosToTheSmallestAmount) {
    AppTestHost host;
    std::vector<ElementAnalysisData> entries = {Entry("C", "C", 0.5, ElementAnalysisData::kMoles),
                                                Entry("H", "H", 1.0, ElementAnalysisData::kMoles)};
    EmpiricalFormulaResult result = ComputeEmpiricalFormula(entries, 0.0);
    EXPECT_EQ(result.formula, "CH2");
    EXPECT_EQ(result.multiplier, 1);
    EXPECT_EQ(result.status, "SSR: 0");
}

TEST(EmpiricalFormula, TheSmallestWholeMultiplierWins) {
    AppTestHost host;
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
    AppTestHost host;
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
    AppTestHost host;
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
    AppTestHost host;
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
    AppTestHost host;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        double carbonMoles;
        const char* status;
    };
    const Case cases[] = {
        {"an amount of 0", 0.0, kNoPositiveAmount},
        {"a mass without an 'as' formula", nan, kNoPositiveAmount},
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
    AppTestHost host;
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
    AppTestHost host;
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
    AppTestHost host;
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

TEST(Percentages, ColumnsOrderTheRecords) {
    AppTestHost host;
    const std::vector<PercentagesRecord> r = PercentagesOf("CH4");
    ASSERT_EQ(r.size(), 2u);
    const PercentagesRecord& h = r[0].symbol == "H" ? r[0] : r[1];
    const PercentagesRecord& c = r[0].symbol == "C" ? r[0] : r[1];
    EXPECT_LT(ComparePercentagesRecords(h, c, 0), 0) << "Z";
    EXPECT_GT(ComparePercentagesRecords(h, c, 1), 0) << "symbol";
    EXPECT_LT(ComparePercentagesRecords(h, c, 2), 0) << "molar mass";
    EXPECT_GT(ComparePercentagesRecords(h, c, 3), 0) << "atoms";
    EXPECT_LT(ComparePercentagesRecords(h, c, 4), 0) << "total mass";
    EXPECT_LT(ComparePercentagesRecords(h, c, 5), 0) << "percent";
    EXPECT_EQ(ComparePercentagesRecords(h, h, 5), 0);
}

// ---------------------------------------------------------------------------------------------------------
// The element editor's rules.

TEST(ElementsEditorRules, DecimalsOfTheTypedMass) {
    using elements_editor::MassTextDecimals;
    EXPECT_EQ(MassTextDecimals("12.011"), 3);
    EXPECT_EQ(MassTextDecimals("14"), 0);
    EXPECT_EQ(MassTextDecimals("0.0"), 1);
    EXPECT_EQ(MassTextDecimals("24.3050"), 4);
    EXPECT_EQ(MassTextDecimals("7."), 0);
    EXPECT_EQ(MassTextDecimals(""), 0);
    // Large and small masses come back from the box with an exponent.
    EXPECT_EQ(MassTextDecimals("1.500e+03"), 0);
    EXPECT_EQ(MassTextDecimals("1.2345e+03"), 1);
    EXPECT_EQ(MassTextDecimals("1.5e-02"), 3);
    EXPECT_EQ(MassTextDecimals("1.5e-300"), elements_editor::kMaxDecimals);
    EXPECT_EQ(MassTextDecimals("1.5e+x"), 1) << "not an exponent";
    EXPECT_EQ(MassTextDecimals("0.123456789012345678901"), elements_editor::kMaxDecimals);
}

TEST(ElementsEditorRules, WhatMayBeAddedOrChanged) {
    AppTestHost host;
    const ElementTable& table = GetModelHost().GetElementTable();
    using namespace elements_editor;
    EXPECT_TRUE(CanAdd(table, "Cit", 189.1));
    EXPECT_FALSE(CanAdd(table, "cit", 189.1)) << "lower-case first letter";
    EXPECT_FALSE(CanAdd(table, "1X", 189.1)) << "digit first";
    EXPECT_FALSE(CanAdd(table, "", 189.1));
    EXPECT_FALSE(CanAdd(table, "Cit", 0.0));
    EXPECT_FALSE(CanAdd(table, "Cit", std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(CanAdd(table, "Cit", std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(CanAdd(table, "Fe", 55.8)) << "taken";
    EXPECT_FALSE(CanAdd(table, "Xq", -5.0)) << "a mass below 0";

    ElementTable& writable = GetModelHost().GetElementTable();
    const int cit = writable.AddElement("Cit", "C6H5O7", "citrate", 189.1, 1);
    EXPECT_EQ(cit, ElementTable::kFirstMoietyRow);
    EXPECT_TRUE(CanModify(table, cit, "Cit", 189.0)) << "its own symbol";
    EXPECT_TRUE(CanModify(table, cit, "Fe", 189.0)) << "the table refuses it later";
    EXPECT_FALSE(CanModify(table, kCarbon, "C", 12.0)) << "built in";
    EXPECT_FALSE(CanModify(table, -1, "Cit", 12.0));
    EXPECT_FALSE(CanModify(table, table.GetCount(), "Cit", 12.0));
    EXPECT_FALSE(CanModify(table, cit, "cit", 12.0));
}

TEST(ElementsEditorRules, ColumnsOrderTheRows) {
    AppTestHost host;
    ElementTable& table = GetModelHost().GetElementTable();
    const int cit = table.AddElement("Cit", "C6H5O7", "", 189.1, 1);
    using namespace elements_editor;
    EXPECT_LT(CompareRows(table, kCarbon, cit, kNumberColumn), 0);
    EXPECT_LT(CompareRows(table, kCarbon, cit, kSymbolColumn), 0) << "\"C\" before \"Cit\"";
    EXPECT_LT(CompareRows(table, kCarbon, 17, kSymbolColumn), 0) << "\"C\" before \"Cl\"";
    EXPECT_LT(CompareRows(table, kCarbon, cit, kMolarMassColumn), 0);
    EXPECT_LT(CompareRows(table, kCarbon, cit, kFormulaColumn), 0) << "empty first";
    EXPECT_EQ(CompareNoCase("cit", "CIT"), 0);
}

TEST(ColumnSortOrder, ClicksToggleOrStartAscending) {
    ColumnSortOrder order;
    EXPECT_FALSE(order.HasColumn());
    EXPECT_EQ(order.Parameter(), 0x80000000u) << "row order ascending";
    order.Click(2);
    EXPECT_EQ(order.Column(), 2);
    EXPECT_TRUE(order.Ascending());
    EXPECT_EQ(order.Parameter(), 0x80000002u);
    order.Click(2);
    EXPECT_FALSE(order.Ascending());
    EXPECT_EQ(order.Parameter(), 2u);
    order.Click(3);
    EXPECT_TRUE(order.Ascending());

    // Starting as sorted by column 0 ascending, the first click on it sorts descending.
    ColumnSortOrder percentages(0, true);
    percentages.Click(0);
    EXPECT_FALSE(percentages.Ascending());
}

} // namespace
