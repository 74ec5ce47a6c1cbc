#include "model/ion_balancing.h"

#include "model/qelt_doc.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The rows as "reactant + reactant = product + product".
std::string Rows(const CQELTDoc& document) {
    std::string text;
    for (int k = 0; k < document.GetReactantCount(); ++k)
        text += (k ? " + " : "") + document.GetReagent(k)->GetFormula();
    text += " =";
    for (int j = 0; j < document.GetProductCount(); ++j)
        text += (j ? " + " : " ") + document.GetReagent(CQELTDoc::kFirstProductRow + j)->GetFormula();
    return text;
}

struct IonCase {
    const char* reaction;
    std::string_view ion;
    const char* rows;
    std::vector<int> coefficients;
};

TEST(IonBalancing, AddsIonWaterAndElectronsWhereTheReactionNeedsThem) {
    const std::vector<IonCase> cases = {
        // Attempt 3: H+ with the reactants, water with the products.
        {"MnO4^- + Fe^2+ = Mn^2+ + Fe^3+",
         ion_balancing::kHydrogenIon,
         "MnO4^- + Fe^2+ + H^+ = Mn^2+ + Fe^3+ + H2O",
         {1, 5, 8, 1, 5, 4}},
        // Rows of water and ion already there take no part and come back where the winner puts them.
        {"H2O + MnO4^- + H^+ + Fe^2+ = H_2O + Mn^2+ + Fe^3+",
         ion_balancing::kHydrogenIon,
         "MnO4^- + Fe^2+ + H^+ = Mn^2+ + Fe^3+ + H2O",
         {1, 5, 8, 1, 5, 4}},
        // A half-reaction: atoms first, then five electrons for the charge.
        {"MnO4^- = Mn^2+", ion_balancing::kHydrogenIon, "MnO4^- + H^+ + e^- = Mn^2+ + H2O", {1, 8, 5, 1, 4}},
        // Electrons given off go with the products.
        {"Fe^2+ = Fe^3+", ion_balancing::kHydrogenIon, "Fe^2+ = Fe^3+ + e^-", {1, 1, 1}},
        // Basic solution: hydroxide with the reactants, water with the products.
        {"Cr(OH)3 + ClO3^- = CrO4^2- + Cl^-",
         ion_balancing::kHydroxideIon,
         "Cr(OH)3 + ClO3^- + OH^- = CrO4^2- + Cl^- + H2O",
         {2, 1, 4, 2, 1, 5}},
        // Nothing to add: attempt 1 balances the rows as they are.
        {"H2 + O2 = H2O", ion_balancing::kHydrogenIon, "H2 + O2 = H2O", {2, 1, 2}},
        // Ion and water on one side, tried after the seven arrangements above: a reduction in base, a
        // disproportionation in acid, with no electrons made up for a charge the ion balances.
        {"NO3^- + H2 = NO", ion_balancing::kHydroxideIon, "NO3^- + H2 = NO + H2O + OH^-", {2, 3, 2, 2, 2}},
        {"HNO2 = NO3^- + NO", ion_balancing::kHydrogenIon, "HNO2 = NO3^- + NO + H2O + H^+", {3, 1, 2, 1, 1}},
        {"H2SO3 + MnO4^- = SO4^2- + Mn^2+",
         ion_balancing::kHydrogenIon,
         "H2SO3 + MnO4^- = SO4^2- + Mn^2+ + H2O + H^+",
         {5, 2, 5, 2, 3, 4}},
        {"Zn + NO3^- = Zn(OH)4^2- + NH3",
         ion_balancing::kHydroxideIon,
         "Zn + NO3^- + H2O + OH^- = Zn(OH)4^2- + NH3",
         {4, 1, 6, 7, 4, 1}},
        {"P4 = PH3 + H2PO2^-",
         ion_balancing::kHydroxideIon,
         "P4 + H2O + OH^- = PH3 + H2PO2^-",
         {1, 3, 3, 1, 3}},
        // Half-reactions that need both on one side, and electrons as well.
        {"N2 = NH3OH^+", ion_balancing::kHydrogenIon, "N2 + H2O + H^+ + e^- = NH3OH^+", {1, 2, 4, 2, 2}},
        {"NH3OH^+ = N2", ion_balancing::kHydrogenIon, "NH3OH^+ = N2 + H2O + H^+ + e^-", {2, 1, 2, 4, 2}},
    };
    for (const IonCase& c : cases) {
        SCOPED_TRACE(c.reaction);
        ScopedTestModelHost host;
        CQELTDoc document;
        ASSERT_TRUE(document.SetFromString(c.reaction));
        document.BalanceReaction();
        ASSERT_TRUE(ion_balancing::BalanceWithIon(document, c.ion));
        EXPECT_EQ(Rows(document), c.rows);
        EXPECT_EQ(document.GetBalancedCoefficients(), c.coefficients);
        ASSERT_FALSE(host.StatusTexts().empty());
        EXPECT_EQ(host.StatusTexts().back(), "Reaction balanced OK.");
    }
}

TEST(IonBalancing, TheFirstProcedureFailsWhereOnlyElectronsCanBalanceTheCharge) {
    ScopedTestModelHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("MnO4^- = Mn^2+"));
    EXPECT_FALSE(ion_balancing::TryBalanceWithIon(document, ion_balancing::kHydrogenIon));
    EXPECT_EQ(Rows(document), "MnO4^- = Mn^2+");
    EXPECT_TRUE(ion_balancing::TryBalanceWithIonAndElectrons(document, ion_balancing::kHydrogenIon));
    EXPECT_EQ(Rows(document), "MnO4^- + H^+ + e^- = Mn^2+ + H2O");
}

TEST(IonBalancing, AFailureLeavesTheRowsAndReportsTheLastAttempt) {
    ScopedTestModelHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("H2O + NaCl = KBr + H^+"));
    EXPECT_FALSE(ion_balancing::BalanceWithIon(document, ion_balancing::kHydrogenIon));
    EXPECT_EQ(Rows(document), "H2O + NaCl = KBr + H^+");
    EXPECT_EQ(document.GetReactantCount(), 2);
    EXPECT_EQ(document.GetProductCount(), 2);
    EXPECT_FALSE(document.HasBalancedCoefficients());
    EXPECT_FALSE(document.HasComputedAmounts());
    ASSERT_FALSE(host.StatusTexts().empty());
    EXPECT_NE(host.StatusTexts().back(), "Reaction balanced OK.");
    EXPECT_EQ(host.StatusTexts().back().rfind("Can't balance", 0), 0u);
}

TEST(IonBalancing, InManualModeOnlyTheSpecialRowsGo) {
    ScopedTestModelHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("3Fe + 7H^+ + O2 = 5Fe2O3 + 2OH^- + H2O"));
    document.SetManualCoefficients(true);
    ASSERT_TRUE(ion_balancing::BalanceWithIon(document, ion_balancing::kHydroxideIon));
    EXPECT_EQ(Rows(document), "Fe + O2 = Fe2O3");
    // Removing a row moves the typed coefficients after it down.
    EXPECT_EQ(document.GetManualCoefficient(0), 3);
    EXPECT_EQ(document.GetManualCoefficient(1), 1);
    EXPECT_EQ(document.GetManualCoefficient(2), 5);
    EXPECT_FALSE(document.HasBalancedCoefficients());
}

TEST(IonBalancing, AnArrangementThatOverfillsASideFails) {
    ScopedTestModelHost host;
    CQELTDoc document;
    // 126 reactants: the ion has no room with them, so the attempts that put it there are skipped.
    for (int k = 0; k < CQELTDoc::kMaxReagentsPerSide; ++k)
        ASSERT_GE(document.AddReagent(true, std::make_unique<CQELTReagent>("H2")), 0);
    ASSERT_GE(document.AddReagent(false, std::make_unique<CQELTReagent>("H^+")), 0);
    // Only charges differ: every attempt that fits fails (too many substances), none stores more rows.
    EXPECT_FALSE(ion_balancing::BalanceWithIon(document, ion_balancing::kHydrogenIon));
    EXPECT_EQ(document.GetReactantCount(), CQELTDoc::kMaxReagentsPerSide);
    EXPECT_EQ(document.GetProductCount(), 1);
}

// Records the hints a view of the document receives.
class HintRecorder : public DocumentView {
public:
    void OnUpdate(DocumentView*, std::uintptr_t hint) override { hints.push_back(hint); }
    std::vector<std::uintptr_t> hints;
};

TEST(IonBalancingCommand, ViewsFollowTheNewRowsAndTheDocumentIsModified) {
    ScopedTestModelHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("MnO4^- + Fe^2+ = Mn^2+ + Fe^3+"));
    HintRecorder view;
    document.AddView(&view);
    std::vector<std::pair<int, int>> synced;
    ASSERT_TRUE(ion_balancing::RunCommand(document, ion_balancing::kHydrogenIon,
                                          [&](int r, int p) { synced.emplace_back(r, p); }));
    // The views are brought to the new rows by the view's own means, from the counts before.
    EXPECT_EQ(synced, (std::vector<std::pair<int, int>>{{2, 2}}));
    EXPECT_TRUE(view.hints.empty());
    EXPECT_TRUE(document.IsModified());
    document.RemoveView(&view);
}

TEST(IonBalancingCommand, RowsThatMoveWithoutChangingTheCountsModifyTheDocument) {
    ScopedTestModelHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("H^+ + MnO4^- + Fe^2+ = H2O + Mn^2+ + Fe^3+"));
    int syncs = 0;
    ASSERT_TRUE(ion_balancing::RunCommand(document, ion_balancing::kHydrogenIon, [&](int r, int p) {
        EXPECT_EQ(r, 3);
        EXPECT_EQ(p, 3);
        ++syncs;
    }));
    EXPECT_EQ(syncs, 1);
    EXPECT_EQ(Rows(document), "MnO4^- + Fe^2+ + H^+ = Mn^2+ + Fe^3+ + H2O");
    EXPECT_TRUE(document.IsModified());
}

TEST(IonBalancingCommand, NothingChangedLeavesTheDocumentUnmodified) {
    ScopedTestModelHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("H2 + O2 = H2O"));
    HintRecorder view;
    document.AddView(&view);
    int syncs = 0;
    ASSERT_TRUE(
        ion_balancing::RunCommand(document, ion_balancing::kHydroxideIon, [&](int, int) { ++syncs; }));
    EXPECT_EQ(syncs, 1);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_FALSE(document.IsModified());

    // A failure changes no rows; the views still redraw, the coefficients being gone.
    ASSERT_TRUE(document.SetFromString("NaCl = KBr"));
    view.hints.clear();
    EXPECT_FALSE(
        ion_balancing::RunCommand(document, ion_balancing::kHydroxideIon, [&](int, int) { ++syncs; }));
    EXPECT_EQ(syncs, 1);
    EXPECT_EQ(view.hints, std::vector<std::uintptr_t>{0u});
    EXPECT_FALSE(document.IsModified());
    document.RemoveView(&view);
}

} // namespace
