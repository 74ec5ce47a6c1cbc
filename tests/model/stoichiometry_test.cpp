#include "model/qelt_doc.h"
#include "model/qelt_reagent.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kH2 = 2.01588, kO2 = 31.9988, kH2O = 18.01528;

class Stoichiometry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.SetFromString("2H2 + O2 = 2H2O"));
        ASSERT_TRUE(doc.BalanceReaction());
    }
    void Enter(int row, double moles, double grams = 0.0) {
        doc.GetReagent(row)->enteredMoles = moles;
        doc.GetReagent(row)->enteredMass = grams;
    }

    ScopedTestModelHost host;
    CQELTDoc doc;
};

TEST_F(Stoichiometry, OneEnteredAmountFixesEveryOther) {
    Enter(0, 4.0);
    doc.Recalculate();
    ASSERT_TRUE(doc.HasComputedAmounts());
    EXPECT_EQ(doc.GetEnteredRowCount(), 1);
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(0), 4.0);
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(1), 2.0);
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(128), 4.0);
    EXPECT_NEAR(doc.GetComputedMass(0), 4.0 * kH2, 1e-9);
    EXPECT_NEAR(doc.GetComputedMass(1), 2.0 * kO2, 1e-9);
    EXPECT_NEAR(doc.GetComputedMass(128), 4.0 * kH2O, 1e-9);
    EXPECT_EQ(doc.GetComputedMoles(2), 0.0); // a row without a reagent
    for (int row : {0, 1, 128}) {
        EXPECT_FALSE(doc.IsLimiting(row));
        EXPECT_FALSE(doc.IsInExcess(row));
    }
}

TEST_F(Stoichiometry, TheLeastAmountPerCoefficientLimits) {
    Enter(0, 4.0, 4.0 * kH2);
    Enter(1, 1.0, kO2);
    doc.Recalculate();
    EXPECT_EQ(doc.GetEnteredRowCount(), 2);
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(0), 2.0);
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(1), 1.0);
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(128), 2.0);
    EXPECT_TRUE(doc.IsLimiting(1));
    EXPECT_FALSE(doc.IsInExcess(1));
    EXPECT_TRUE(doc.IsInExcess(0));
    EXPECT_FALSE(doc.IsLimiting(0));
    EXPECT_FALSE(doc.IsLimiting(128)); // nothing entered there
}

TEST_F(Stoichiometry, MolesWithoutMassStillCompare) {
    // No mass entered: the mass ratio is infinite (or 0/0) and does not decide.
    Enter(0, 4.0);
    Enter(1, 1.0);
    doc.Recalculate();
    EXPECT_TRUE(doc.IsLimiting(1));
    EXPECT_FALSE(doc.IsInExcess(0)); // infinite mass ratio: on the other side of the threshold
    doc.GetReagent(0)->enteredMass = 0.0;
    EXPECT_FALSE(doc.IsLimiting(0));
}

TEST_F(Stoichiometry, AProductAmountWorksLikeAReactants) {
    Enter(128, 1.0);
    doc.Recalculate();
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(0), 1.0);
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(1), 0.5);
}

TEST_F(Stoichiometry, NothingEnteredComputesNothing) {
    doc.Recalculate();
    EXPECT_FALSE(doc.HasComputedAmounts());
    EXPECT_EQ(doc.GetEnteredRowCount(), 0);
}

TEST_F(Stoichiometry, ARatioOfMinusOneIsNotTakenForNoExtent) {
    // -1 mol of O2 gives the ratio -1; the later ratio 2 of H2 must not replace it.
    Enter(1, -1.0);
    Enter(0, 4.0);
    doc.Recalculate();
    EXPECT_FALSE(doc.HasComputedAmounts());
    EXPECT_EQ(doc.GetEnteredRowCount(), 2);
}

TEST_F(Stoichiometry, ANegativeAmountGivesNoResults) {
    Enter(0, -4.0);
    doc.Recalculate();
    EXPECT_FALSE(doc.HasComputedAmounts());
}

TEST_F(Stoichiometry, ManualCoefficientsAreUsedEvenUnbalanced) {
    doc.SetManualCoefficients(true);
    doc.SetManualCoefficient(0, 1);
    doc.SetManualCoefficient(1, 1);
    doc.SetManualCoefficient(2, 1);
    ASSERT_TRUE(doc.BalanceReaction());
    EXPECT_FALSE(doc.IsBalanced());
    Enter(0, 3.0);
    doc.Recalculate();
    ASSERT_TRUE(doc.HasComputedAmounts());
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(1), 3.0);
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(128), 3.0);
}

TEST_F(Stoichiometry, AZeroManualCoefficientDividesAsFloatingPoint) {
    doc.SetManualCoefficients(true);
    doc.SetManualCoefficient(1, 0);
    Enter(1, 1.0);
    doc.Recalculate(); // 1 / 0 = infinity: the extent is infinite, not undefined behaviour
    ASSERT_TRUE(doc.HasComputedAmounts());
    EXPECT_TRUE(std::isinf(doc.GetComputedMoles(0)));
}

TEST_F(Stoichiometry, NotANumberCountsAsEntered) {
    Enter(0, std::numeric_limits<double>::quiet_NaN());
    doc.Recalculate();
    EXPECT_EQ(doc.GetEnteredRowCount(), 1);
}

TEST_F(Stoichiometry, AFailedBalancingLeavesNothingToCompute) {
    Enter(0, 4.0);
    doc.GetReagent(128)->SetFormulaText("Xy");
    doc.RefreshCompositions();
    EXPECT_FALSE(doc.HasBalancedCoefficients());
    doc.Recalculate();
    EXPECT_FALSE(doc.HasComputedAmounts());
    EXPECT_FALSE(doc.IsLimiting(0));
    EXPECT_FALSE(doc.IsInExcess(0));
}

TEST_F(Stoichiometry, AnOutputDescriptionLastsAsLongAsItsAmount) {
    CQELTReagent& water = *doc.GetReagent(128);
    water.outputKind = CQELTReagent::kGas; // chosen before anything was computed: it describes nothing
    Enter(0, 4.0);
    doc.Recalculate();
    EXPECT_EQ(water.outputKind, CQELTReagent::kPlainAmount);

    // Chosen for 4 mol: rebalancing and recomputing the same amount (another view opening) keeps it.
    water.outputKind = CQELTReagent::kGas;
    ASSERT_TRUE(doc.BalanceReaction());
    doc.Recalculate();
    EXPECT_EQ(water.outputKind, CQELTReagent::kGas);
    // No amount for a while, then the same one again: still the same description.
    Enter(0, 0.0);
    doc.Recalculate();
    Enter(0, 4.0);
    doc.Recalculate();
    EXPECT_EQ(water.outputKind, CQELTReagent::kGas);
    // Another amount: the description would describe what it was not made for.
    Enter(0, 2.0);
    doc.Recalculate();
    EXPECT_EQ(water.outputKind, CQELTReagent::kPlainAmount);
}

TEST_F(Stoichiometry, ClearingAmountsDiscardsResults) {
    Enter(0, 4.0, 8.0);
    doc.GetReagent(0)->inputKind = CQELTReagent::kGas;
    doc.Recalculate();
    doc.ClearAmounts();
    EXPECT_FALSE(doc.HasComputedAmounts());
    const CQELTReagent& h2 = *doc.GetReagent(0);
    EXPECT_EQ(h2.enteredMoles.value, 0.0);
    EXPECT_EQ(h2.enteredMass.value, 0.0);
    EXPECT_EQ(h2.inputKind, CQELTReagent::kPlainAmount);
    EXPECT_EQ(h2.inputPressure.value, 1.0);
    EXPECT_EQ(h2.inputPressure.digits, 0);
    EXPECT_EQ(h2.GetFormula(), "H2");
}

} // namespace

TEST(TypedAmount, TheOtherAmountFollowsThroughTheMolarMass) {
    ScopedTestModelHost host;
    CQELTReagent water("H2O");
    water.inputKind = CQELTReagent::kGas;
    water.EnterMass(CEditableDouble(36.03056, 2), 4);
    EXPECT_EQ(water.inputKind, CQELTReagent::kPlainAmount);
    EXPECT_NEAR(water.enteredMoles.value, 2.0, 1e-12);
    EXPECT_EQ(water.enteredMoles.digits, 4); // at least the display digits
    water.EnterMoles(CEditableDouble(0.5, 6), 4);
    EXPECT_NEAR(water.enteredMass.value, 9.00764, 1e-9);
    EXPECT_EQ(water.enteredMass.digits, 6);

    CQELTReagent unknown("Xq"); // no molar mass: no moles from a mass
    unknown.EnterMass(CEditableDouble(5.0, 3), 4);
    EXPECT_EQ(unknown.enteredMoles.value, 0.0);
}
