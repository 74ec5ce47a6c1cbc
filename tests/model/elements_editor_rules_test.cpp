// What the element editor works out without its window: its input rules and the order of its list.
#include "model/element_table.h"
#include "model/elements_editor_rules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kCarbon = 6;

ElementTable DefaultTable() {
    ElementTable table;
    table.BuildDefault();
    return table;
}

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
    ElementTable table = DefaultTable();
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

    const int cit = table.AddElement("Cit", "C6H5O7", "citrate", 189.1, 1);
    EXPECT_EQ(cit, ElementTable::kFirstMoietyRow);
    EXPECT_TRUE(CanModify(table, cit, "Cit", 189.0)) << "its own symbol";
    EXPECT_TRUE(CanModify(table, cit, "Fe", 189.0)) << "the table refuses it later";
    EXPECT_FALSE(CanModify(table, kCarbon, "C", 12.0)) << "built in";
    EXPECT_FALSE(CanModify(table, -1, "Cit", 12.0));
    EXPECT_FALSE(CanModify(table, table.GetCount(), "Cit", 12.0));
    EXPECT_FALSE(CanModify(table, cit, "cit", 12.0));
}

TEST(ElementsEditorRules, ColumnsOrderTheRows) {
    ElementTable table = DefaultTable();
    const int cit = table.AddElement("Cit", "C6H5O7", "", 189.1, 1);
    using namespace elements_editor;
    EXPECT_LT(CompareRows(table, kCarbon, cit, kNumberColumn), 0);
    EXPECT_LT(CompareRows(table, kCarbon, cit, kSymbolColumn), 0) << "\"C\" before \"Cit\"";
    EXPECT_LT(CompareRows(table, kCarbon, 17, kSymbolColumn), 0) << "\"C\" before \"Cl\"";
    EXPECT_LT(CompareRows(table, kCarbon, cit, kMolarMassColumn), 0);
    EXPECT_LT(CompareRows(table, kCarbon, cit, kFormulaColumn), 0) << "empty first";
}

} // namespace
