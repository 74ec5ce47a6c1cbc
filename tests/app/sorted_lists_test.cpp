// The orders of the sorted lists: the percentage list's columns, and how clicks on column headings sort.
#include "app/dialogs/column_sort.h"
#include "app/dialogs/percentages.h"
#include "app_test_host.h"
#include "model/chemical_formula.h"
#include "model/composition_vector.h"

#include <gtest/gtest.h>

namespace {

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

TEST(ColumnSortOrder, ClicksToggleOrStartAscending) {
    ColumnSortOrder order;
    EXPECT_FALSE(order.HasColumn());
    EXPECT_TRUE(order.Ascending()) << "row order ascending";
    order.Click(2);
    EXPECT_EQ(order.Column(), 2);
    EXPECT_TRUE(order.Ascending());
    order.Click(2);
    EXPECT_FALSE(order.Ascending());
    order.Click(3);
    EXPECT_TRUE(order.Ascending());

    // Starting as sorted by column 0 ascending, the first click on it sorts descending.
    ColumnSortOrder percentages(0, true);
    percentages.Click(0);
    EXPECT_FALSE(percentages.Ascending());
}

} // namespace
