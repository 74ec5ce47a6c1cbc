// The percentage composition calculator, typed into as a user does.
#include "app/dialogs/percentages.h"
#include "app_test_host.h"
#include "editors_test_support.h"
#include "ui_test_support.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using editors_test::ClickHeading;
using editors_test::ColumnTexts;

struct PercentagesFixture : ::testing::Test {
    AppTestHost host;
    CPercentages dialog;
    QLineEdit* formula = nullptr;
    ui::ListView* list = nullptr;

    void SetUp() override {
        dialog.Create();
        formula = dialog.Control<QLineEdit>(CPercentages::kFormulaBox);
        list = dialog.Control<ui::ListView>(CPercentages::kList);
        ASSERT_NE(formula, nullptr);
        ASSERT_NE(list, nullptr);
    }

    void Type(const char* text) {
        formula->selectAll();
        QTest::keyClick(formula, Qt::Key_Delete);
        QTest::keyClicks(formula, text);
    }
};

TEST_F(PercentagesFixture, WaterListsHydrogenAndOxygen) {
    Type("H2O");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(ColumnTexts(list, 0), QStringList({"1", "8"}));
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"H", "O"}));
    EXPECT_EQ(ColumnTexts(list, 2), QStringList({"1.01", "16.00"}));
    EXPECT_EQ(ColumnTexts(list, 3), QStringList({"2", "1"}));
    EXPECT_EQ(ColumnTexts(list, 4), QStringList({"2.02", "16.00"}));
    EXPECT_EQ(ColumnTexts(list, 5), QStringList({"11.19", "88.81"}));
    EXPECT_EQ(dialog.FormulaFrame().Caption(), "18.02");
    EXPECT_EQ(list->topLevelItem(0)->textAlignment(5) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    test_support::SaveScreenshot(dialog, "percentages_water");

    // Every change of the text rebuilds the list; an empty formula lists nothing.
    Type("");
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(dialog.FormulaFrame().Caption(), "");
}

TEST_F(PercentagesFixture, ColumnsSortBothWays) {
    Type("C6H12O6");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"H", "C", "O"}));

    // The list starts as sorted by Z ascending: the first click on "Z" sorts it descending.
    ClickHeading(list, 0);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"O", "C", "H"}));
    ClickHeading(list, 0);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"H", "C", "O"}));

    // Any other column sorts ascending first, then descending.
    ClickHeading(list, 5);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"H", "C", "O"})) << "6.71 %, 40.00 %, 53.29 %";
    EXPECT_TRUE(dialog.SortOrder().Ascending());
    ClickHeading(list, 5);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"O", "C", "H"}));
    ClickHeading(list, 1);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"C", "H", "O"}));
    ClickHeading(list, 1);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"O", "H", "C"}));
    ClickHeading(list, 3);
    EXPECT_EQ(ColumnTexts(list, 3), QStringList({"6", "6", "12"})) << "equal atoms keep their order";
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"O", "C", "H"}));
    ClickHeading(list, 4);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"H", "C", "O"}));
    ClickHeading(list, 2);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"H", "C", "O"}));
    test_support::SaveScreenshot(dialog, "percentages_sorted");
}

TEST_F(PercentagesFixture, ANewFormulaComesInElementOrderButTheSortIsRemembered) {
    Type("NaCl");
    ClickHeading(list, 5);
    ClickHeading(list, 5);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"Cl", "Na"}));
    EXPECT_FALSE(dialog.SortOrder().Ascending());

    Type("KCl");
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"Cl", "K"})) << "element order: Cl is 17, K 19";
    Type("NaCl");
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"Na", "Cl"}));
    EXPECT_EQ(dialog.SortOrder().Column(), 5);
    // The next click on "percent" reverses the remembered direction: ascending.
    ClickHeading(list, 5);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"Na", "Cl"}));
    EXPECT_TRUE(dialog.SortOrder().Ascending());
}

TEST_F(PercentagesFixture, FormulasThatDoNotParseOrCarryAMultiplier) {
    Type("NaCl(aq)");
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(dialog.FormulaFrame().Caption(), "");

    // The caption weighs two molecules; the shares are of the one listed and add up to 100 %.
    Type("2H2O");
    EXPECT_EQ(dialog.FormulaFrame().Caption(), "36.03");
    EXPECT_EQ(ColumnTexts(list, 5), QStringList({"11.19", "88.81"}));

    // A remark after ";" is not part of the formula.
    Type("CuSO4&5H2O;blue vitriol");
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"H", "O", "S", "Cu"}));
    EXPECT_EQ(ColumnTexts(list, 3), QStringList({"10", "9", "1", "1"}));
    EXPECT_EQ(dialog.FormulaFrame().Caption(), "249.68");
}

} // namespace
