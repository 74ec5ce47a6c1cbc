#include "model/composition_vector.h"
#include "model/qelt_doc.h"
#include "support/reaction_corpus.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> PackedManual(const CQELTDoc& doc) {
    std::vector<int> coefficients;
    for (int i = 0; i < doc.GetReactantCount() + doc.GetProductCount(); ++i)
        coefficients.push_back(doc.GetManualCoefficient(i));
    return coefficients;
}

// Conservation of every element and of the charge, counted here independently of the balancing.
void ExpectConserved(const CQELTDoc& doc, const std::vector<int>& coefficients) {
    CompositionVector balance;
    for (int k = 0; k < doc.GetReactantCount(); ++k)
        balance += CompositionVector::Scale(coefficients[k], doc.GetComposition(k));
    for (int j = 0; j < doc.GetProductCount(); ++j)
        balance -=
            CompositionVector::Scale(coefficients[doc.GetReactantCount() + j], doc.GetComposition(128 + j));
    EXPECT_EQ(balance.CountNonZero(false), 0) << "an element or the charge is not conserved";
}

TEST(BalanceReaction, PublishedCorpus) {
    ScopedTestModelHost host;
    for (const CorpusReaction& reaction : kReactionCorpus) {
        SCOPED_TRACE(std::string(reaction.name));
        CQELTDoc doc;
        ASSERT_TRUE(doc.SetFromString(std::string(reaction.equation)));
        const bool balanced = doc.BalanceReaction();
        if (reaction.message.empty()) {
            ASSERT_TRUE(balanced) << host.LastStatusText();
            EXPECT_EQ(host.LastStatusText(), "Reaction balanced OK.");
            EXPECT_EQ(doc.GetBalancedCoefficients(), PackedManual(doc));
            ExpectConserved(doc, doc.GetBalancedCoefficients());
            // The manual check agrees.
            doc.SetManualCoefficients(true);
            EXPECT_TRUE(doc.BalanceReaction());
            EXPECT_TRUE(doc.IsBalanced());
        } else {
            EXPECT_FALSE(balanced);
            EXPECT_EQ(host.LastStatusText(), reaction.message);
            EXPECT_FALSE(doc.HasBalancedCoefficients());
        }
    }
}

TEST(BalanceReaction, ReasonsAndResults) {
    ScopedTestModelHost host;
    struct Case {
        const char* equation;
        std::vector<int> coefficients;
        const char* status;
    };
    const Case cases[] = {
        {"H2 + O2 = H2O", {2, 1, 2}, "Reaction balanced OK."},
        {"Fe^{3+} + e^- = Fe^{2+}", {1, 1, 1}, "Reaction balanced OK."},
        {"Ag^+ + Cl^- = AgCl", {1, 1, 1}, "Reaction balanced OK."},
        {"H2 = H2O", {}, "Can't balance - O only on one side of the equation."},
        {"NaCl = Na", {}, "Can't balance - Cl only on one side of the equation."},
        {"H2O2 + O2 = H2O", {}, "Can't balance without negative coefficients."},
        {"H2 + O2 + H2O2 = H2O", {}, "Can't balance - too many substances."},
        {"Xy + O2 = H2O", {}, "Can't balance - empty reactant or error in formula."},
        {"H2 + O2 = NaCl(aq)", {}, "Can't balance - empty product or error in formula."},
        {"e^- + Fe^3+ = Fe^2+", {1, 1, 1}, "Reaction balanced OK."},
        {"e^- = e^-", {1, 1}, "Reaction balanced OK."},
        {"e^- = e^+", {}, "Can't balance without negative coefficients."},
        {"Fe^2+ = Fe^3+", {}, "Can't balance - inconsistent system of equations."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.equation);
        CQELTDoc doc;
        ASSERT_TRUE(doc.SetFromString(c.equation));
        EXPECT_EQ(doc.BalanceReaction(), !c.coefficients.empty());
        EXPECT_EQ(host.LastStatusText(), c.status);
        EXPECT_EQ(doc.GetBalancedCoefficients(), c.coefficients);
    }
}

TEST(BalanceReaction, OverflowOf32BitFractionsStillBalancesExactly) {
    ScopedTestModelHost host;
    // The unreduced products inside this elimination reach about 6e9, past a 32-bit int, though every
    // coefficient is below 4000.
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("C254H377N65O75S6 + KMnO4 + H2SO4 = K2SO4 + MnSO4 + CO2 + HNO3 + H2O"));
    ASSERT_TRUE(doc.BalanceReaction());
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{5, 1604, 2376, 802, 1604, 1270, 325, 3156}));
}

TEST(BalanceReaction, CoefficientsThatDoNotFitAnIntAreRefused) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("C50021 + H50023 = C50023H50021"));
    EXPECT_FALSE(doc.BalanceReaction());
    EXPECT_EQ(host.LastStatusText(), "Can't balance - numbers too large.");
    EXPECT_FALSE(doc.HasBalancedCoefficients());
}

TEST(BalanceReaction, NoProductsFailsSilently) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("H2 + O2 = H2O"));
    doc.RemoveReagent(128);
    host.SetStatusText("previous");
    EXPECT_FALSE(doc.BalanceReaction());
    EXPECT_EQ(host.LastStatusText(), "previous");
}

TEST(BalanceReaction, ManualModeOnlyVerifies) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("2H2 + O2 = 2H2O"));
    ASSERT_TRUE(doc.BalanceReaction());
    doc.GetReagent(0)->enteredMoles = 4.0;
    doc.Recalculate();
    ASSERT_TRUE(doc.HasComputedAmounts());

    doc.SetManualCoefficients(true);
    host.SetStatusText("previous");
    EXPECT_TRUE(doc.BalanceReaction());
    EXPECT_TRUE(doc.IsBalanced());
    EXPECT_FALSE(doc.HasBalancedCoefficients());
    EXPECT_FALSE(doc.HasComputedAmounts());
    EXPECT_EQ(host.LastStatusText(), "previous");

    doc.SetManualCoefficient(2, 3);
    EXPECT_TRUE(doc.BalanceReaction()); // true whatever the coefficients
    EXPECT_FALSE(doc.IsBalanced());
    EXPECT_FALSE(doc.VerifyBalance());
}

TEST(BalanceReaction, VerifyBalanceCountsTheCharge) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("Fe^3+ + e^- = Fe^2+"));
    EXPECT_TRUE(doc.VerifyBalance());
    doc.SetManualCoefficient(1, 2);
    EXPECT_FALSE(doc.VerifyBalance());
    // Huge manual coefficients do not overflow the check.
    CQELTDoc big;
    ASSERT_TRUE(big.SetFromString("2147483647H2 = 2147483647H2"));
    EXPECT_TRUE(big.VerifyBalance());
}

TEST(BalanceReaction, AWorkingArrayLeavesTheAmountsAlone) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("2H2 + O2 = 2H2O"));
    doc.GetReagent(0)->enteredMoles = 4.0;
    CQELTDoc::RowCompositions working(CQELTDoc::kRowCount);
    for (int row : {0, 1, 128})
        working[row] = doc.GetComposition(row);
    EXPECT_TRUE(doc.BalanceReaction(working, 2, 1));
    EXPECT_TRUE(doc.HasBalancedCoefficients());
    EXPECT_FALSE(doc.HasComputedAmounts());
    EXPECT_TRUE(doc.BalanceReaction());
    EXPECT_TRUE(doc.HasComputedAmounts());
}

} // namespace
