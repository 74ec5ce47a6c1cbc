#include "model/element_table.h"
#include "model/qelt_doc.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RecordingView : DocumentView {
    std::vector<std::pair<DocumentView*, std::uintptr_t>> updates;
    void OnUpdate(DocumentView* sender, std::uintptr_t hint) override { updates.emplace_back(sender, hint); }
};

struct CountingFrame : DocumentFrame {
    int activations = 0;
    void Activate() override { ++activations; }
};

std::vector<std::string> Formulas(const CQELTDoc& doc) {
    std::vector<std::string> formulas;
    for (int k = 0; k < doc.GetReactantCount(); ++k)
        formulas.push_back(doc.GetReagent(k)->GetFormula());
    formulas.push_back("=");
    for (int j = 0; j < doc.GetProductCount(); ++j)
        formulas.push_back(doc.GetReagent(128 + j)->GetFormula());
    return formulas;
}

TEST(NewReaction, FileNewIsEmptyAndUnmodified) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetReactantCount(), 0);
    EXPECT_EQ(doc.GetProductCount(), 0);
    EXPECT_FALSE(doc.HasBalancedCoefficients());
    EXPECT_FALSE(doc.HasComputedAmounts());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(host.ReactionStringPrompts().empty());
}

TEST(NewReaction, FromClipboardWithoutAskingWhenTheTextIsAReaction) {
    ScopedTestModelHost host;
    host.SetNewFromClipboard(true);
    host.SetClipboardText("2H2 + O2 = 2H2O");
    CQELTDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(host.ReactionStringPrompts().empty());
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(host.LastStatusText(), "Reaction balanced OK.");
    EXPECT_TRUE(doc.IsModified());
}

TEST(NewReaction, FromClipboardAsksWithTheTextWhenItIsNoReaction) {
    ScopedTestModelHost host;
    host.SetNewFromClipboard(true);
    host.SetClipboardText("H2O");
    host.QueueReactionStringAnswer("H2O2 = H2O + O2");
    CQELTDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(host.ReactionStringPrompts(), std::vector<std::string>{"H2O"});
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{2, 2, 1}));
}

TEST(NewReaction, FromStringAsksUntilAcceptedOrCancelled) {
    ScopedTestModelHost host;
    host.SetNewFromString(true);
    host.QueueReactionStringAnswer("H2O");
    host.QueueReactionStringAnswer("H2 + O2 = H2O");
    CQELTDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(host.ReactionStringPrompts(), (std::vector<std::string>{"", "H2O"}));
    EXPECT_EQ(Formulas(doc), (std::vector<std::string>{"H2", "O2", "=", "H2O"}));

    ScopedTestModelHost cancelling;
    cancelling.SetNewFromString(true);
    cancelling.QueueReactionStringAnswer(std::nullopt);
    CQELTDoc abandoned;
    EXPECT_FALSE(abandoned.OnNewDocument());
    EXPECT_EQ(cancelling.ReactionStringPrompts(), std::vector<std::string>{""});
}

TEST(NewReaction, AnUnbalanceableReactionIsStillCreated) {
    ScopedTestModelHost host;
    host.SetNewFromString(true);
    host.QueueReactionStringAnswer("H2 = H2O");
    CQELTDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.HasBalancedCoefficients());
    EXPECT_EQ(host.LastStatusText(), "Can't balance - O only on one side of the equation.");
    EXPECT_TRUE(doc.IsModified());
}

TEST(ReactionRows, RemovingAReactantClosesTheGap) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("2Na + 3Cl2 + 4K = 5NaCl + 6KCl"));
    doc.RemoveReagent(0);
    EXPECT_EQ(Formulas(doc), (std::vector<std::string>{"Cl2", "K", "=", "NaCl", "KCl"}));
    EXPECT_EQ(doc.GetComposition(0)[17], 2);
    EXPECT_EQ(doc.GetComposition(1)[19], 1);
    EXPECT_EQ(doc.GetReagent(2), nullptr);
    EXPECT_EQ(doc.GetComposition(2).CountNonZero(false), 0);
    std::vector<int> manual;
    for (int i = 0; i < 4; ++i)
        manual.push_back(doc.GetManualCoefficient(i));
    EXPECT_EQ(manual, (std::vector<int>{3, 4, 5, 6}));
}

TEST(ReactionRows, RemovingAProductKeepsTheReactants) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("2Na + 3Cl2 = 5NaCl + 6KCl + 7X"));
    doc.RemoveReagent(129);
    EXPECT_EQ(Formulas(doc), (std::vector<std::string>{"Na", "Cl2", "=", "NaCl", "X"}));
    EXPECT_EQ(doc.GetManualCoefficient(3), 7);
    EXPECT_EQ(doc.GetReagent(130), nullptr);
    // Rows that hold nothing are left alone.
    doc.RemoveReagent(130);
    doc.RemoveReagent(5);
    doc.RemoveReagent(-1);
    doc.RemoveReagent(300);
    EXPECT_EQ(Formulas(doc), (std::vector<std::string>{"Na", "Cl2", "=", "NaCl", "X"}));
}

TEST(ReactionRows, AddingRowsKeepsTheCoefficientsInPackedOrder) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("2A = 3B"));
    EXPECT_EQ(doc.AddReagent(true, std::make_unique<CQELTReagent>("H2")), 1);
    EXPECT_EQ(doc.AddReagent(false, std::make_unique<CQELTReagent>("H2O")), 129);
    EXPECT_EQ(doc.GetManualCoefficient(0), 2);
    EXPECT_EQ(doc.GetManualCoefficient(1), 1);
    EXPECT_EQ(doc.GetManualCoefficient(2), 3);
    EXPECT_EQ(doc.GetManualCoefficient(3), 1);
    EXPECT_EQ(doc.GetComposition(129)[8], 1);

    while (doc.GetProductCount() < 126)
        ASSERT_NE(doc.AddReagent(false, std::make_unique<CQELTReagent>("H2")), -1);
    EXPECT_EQ(doc.AddReagent(false, std::make_unique<CQELTReagent>("H2")), -1);
    EXPECT_EQ(doc.GetProductCount(), 126);
    EXPECT_THROW(doc.SetReagentCounts(127, 1), std::out_of_range);
}

TEST(ReactionRows, UsedCompositionCountsEachRowOnce) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("2H2 + O2 = 2H2O"));
    const CompositionVector used = doc.GetUsedComposition();
    EXPECT_EQ(used[1], 4);
    EXPECT_EQ(used[8], 3);
    EXPECT_EQ(used.GetSize(), host.GetElementTable().GetCount() + 1);
}

TEST(ReactionRows, RefreshFollowsTheElementTableButKeepsMolarMasses) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("Cit + H2 = HCit"));
    EXPECT_FALSE(doc.BalanceReaction());
    RecordingView view;
    doc.AddView(&view);
    ASSERT_EQ(host.GetElementTable().AddElement("Cit", "C6H5O7", "citrate", 189.1, 1), 104);
    doc.RefreshCompositions();
    EXPECT_EQ(doc.GetComposition(0)[104], 1);
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(doc.GetReagent(0)->GetMolarMass(), 0.0);
    ASSERT_EQ(view.updates.size(), 1u);
    EXPECT_EQ(view.updates[0], (std::pair<DocumentView*, std::uintptr_t>{nullptr, 0}));
}

TEST(ReactionRows, ViewCommandsActivateOrOpenFrames) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    CountingFrame frame;
    doc.SetViewFrame(ModelHost::ViewKind::DefaultForm, &frame);
    doc.OnDefaultUI();
    EXPECT_EQ(frame.activations, 1);
    EXPECT_TRUE(host.ViewFrameRequests().empty());
    doc.OnAlternateUI();
    doc.OnPrintout();
    ASSERT_EQ(host.ViewFrameRequests().size(), 2u);
    EXPECT_EQ(host.ViewFrameRequests()[0].kind, ModelHost::ViewKind::AlternateForm);
    EXPECT_EQ(host.ViewFrameRequests()[1].kind, ModelHost::ViewKind::Printout);
    EXPECT_EQ(host.ViewFrameRequests()[1].document, &doc);
    doc.SetViewFrame(ModelHost::ViewKind::DefaultForm, nullptr);
    doc.OnDefaultUI();
    EXPECT_EQ(host.ViewFrameRequests().size(), 3u);
}

TEST(Reagent, StartsFromTheStandardConditions) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(6);
    host.StandardConditions().pressure = 101.325;
    host.StandardConditions().pressureUnit = 3;
    host.StandardConditions().temperature = 25.0;
    host.StandardConditions().temperatureUnit = 0;
    const CQELTReagent reagent;
    EXPECT_EQ(reagent.inputPressure.value, 101.325);
    EXPECT_EQ(reagent.inputPressure.digits, 6);
    EXPECT_EQ(reagent.inputTemperature.value, 25.0);
    EXPECT_EQ(reagent.inputTemperature.digits, 6);
    EXPECT_EQ(reagent.outputPressure.value, 1.0);
    EXPECT_EQ(reagent.outputPressure.digits, 4);
    EXPECT_EQ(reagent.inputPressureUnit, 3);
    EXPECT_EQ(reagent.outputPressureUnit, 3);
    EXPECT_EQ(reagent.inputKind, CQELTReagent::kPlainAmount);
    EXPECT_EQ(reagent.inputVolumeUnit, 1);
    EXPECT_EQ(reagent.GetPhase(), CSubstance::kPhaseNone);

    const CQELTReagent water("H2O(g)");
    EXPECT_EQ(water.GetPhase(), CSubstance::kPhaseGas);
    EXPECT_NEAR(water.GetMolarMass(), 18.01528, 1e-9);
    EXPECT_EQ(water.inputPressure.value, 1.0);
    EXPECT_EQ(water.inputPressure.digits, 4);
    EXPECT_EQ(water.inputPressureUnit, 0);
}

} // namespace
