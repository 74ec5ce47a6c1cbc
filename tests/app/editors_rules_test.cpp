// What the element editor works out without its window: its input rules and the orders of the sorted lists,
// the percentage list's among them.
#include "app/dialogs/column_sort.h"
#include "app/dialogs/elements_editor_rules.h"
#include "app/dialogs/percentages.h"
#include "app_test_host.h"
#include "model/chemical_formula.h"
#include "model/composition_vector.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCarbon = 6;

std::vector<PercentagesRecord> PercentagesOf(const char* formula) {
    return ComputePercentages(ChemicalFormula(formula).GetComposition(), GetModelHost().GetElementTable());
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
