// The reaction views' commands on the whole reaction, with both views of a document open: balancing with H+
// and OH- (every view shows the new rows and coefficients) and copying the reaction to the clipboard.
#include "app/qelt_command_ids.h"
#include "model/chemical_formula.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/command_target.h"
#include "reaction_view_harness.h"
#include "support/recording_surface.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

using namespace view_test;
using namespace reaction_view;

namespace {

// The display form of a formula, as the equation line draws it.
std::string Shown(const std::string& formula) {
    return ChemicalFormula(formula).GetDisplayText();
}

// Both views of one reaction.
class BothViews {
public:
    explicit BothViews(const std::string& reaction) : windows(reaction) {
        first = windows.OpenDefault();
        second = windows.OpenAlternate();
        windows.doc->SetModifiedFlag(false);
    }

    // The formulas every view shows, checked to be the same in both: "a + b = c".
    std::string Rows() {
        std::string shown[2];
        CQELTView* views[2] = {first, second};
        for (int v = 0; v < 2; ++v) {
            CQELTView& view = *views[v];
            for (int k = 0; k < view.ReactantRowCount(); ++k)
                shown[v] += (k ? " + " : "") + Text(view, k, kFormulaSlot).toStdString();
            shown[v] += " =";
            for (int j = 0; j < view.ProductRowCount(); ++j)
                shown[v] += (j ? " + " : " ") + Text(view, kFirstProductRow + j, kFormulaSlot).toStdString();
        }
        EXPECT_EQ(shown[0], shown[1]) << "the default and the alternate view differ";
        return shown[0];
    }

    // The coefficients in the alternate view's edits, in packed order.
    std::vector<std::string> Coefficients() {
        std::vector<std::string> shown;
        for (int k = 0; k < second->ReactantRowCount(); ++k)
            shown.push_back(Text(*second, k, kCoefficientSlot).toStdString());
        for (int j = 0; j < second->ProductRowCount(); ++j)
            shown.push_back(Text(*second, kFirstProductRow + j, kCoefficientSlot).toStdString());
        return shown;
    }

    // The equation line the default view draws, its characters in drawing order.
    std::string Equation() {
        RecordingSurface surface;
        first->PaintEquation(surface);
        return surface.DrawnText();
    }

    bool Command(CQELTView& view, int id) { return view.RouteCommand(id); }
    bool Enabled(CQELTView& view, int id) {
        ui::CmdUI state(id);
        return view.RouteUpdate(state) && state.Enabled();
    }

    ReactionWindows windows;
    CQELTView1* first = nullptr;
    CQELTView2* second = nullptr;
};

struct IonCase {
    const char* reaction;
    int command;
    bool fromAlternate;
    const char* rows;
    std::vector<std::string> coefficients;
};

TEST(ReactionViewIonBalancing, EveryViewShowsTheNewRowsAndCoefficients) {
    const std::vector<IonCase> cases = {
        // H+ with the reactants, water with the products.
        {"MnO4^- + Fe^2+ = Mn^2+ + Fe^3+",
         qelt_cmd::BalanceWithH,
         false,
         "MnO4^- + Fe^2+ + H^+ = Mn^2+ + Fe^3+ + H2O",
         {"1", "5", "8", "1", "5", "4"}},
        // The rows of ion and water only move: the counts stay as they were.
        {"H^+ + MnO4^- + Fe^2+ = H2O + Mn^2+ + Fe^3+",
         qelt_cmd::BalanceWithH,
         true,
         "MnO4^- + Fe^2+ + H^+ = Mn^2+ + Fe^3+ + H2O",
         {"1", "5", "8", "1", "5", "4"}},
        // A half-reaction takes electrons.
        {"MnO4^- = Mn^2+",
         qelt_cmd::BalanceWithH,
         false,
         "MnO4^- + H^+ + e^- = Mn^2+ + H2O",
         {"1", "8", "5", "1", "4"}},
        // Basic solution, from the alternate view; the water row typed H_2O goes and comes back as H2O.
        {"Cr(OH)3 + ClO3^- + H_2O = CrO4^2- + Cl^-",
         qelt_cmd::BalanceWithOH,
         true,
         "Cr(OH)3 + ClO3^- + OH^- = CrO4^2- + Cl^- + H2O",
         {"2", "1", "4", "2", "1", "5"}},
    };
    for (const IonCase& c : cases) {
        SCOPED_TRACE(c.reaction);
        BothViews views(c.reaction);
        CQELTView& view = c.fromAlternate ? static_cast<CQELTView&>(*views.second) : *views.first;
        ASSERT_TRUE(views.Command(view, c.command));
        EXPECT_EQ(views.Rows(), c.rows);
        EXPECT_EQ(views.Coefficients(), c.coefficients);
        EXPECT_EQ(views.windows.host.statusText, "Reaction balanced OK.");
        EXPECT_TRUE(views.windows.doc->IsModified());
        // The default view's equation line draws every term with its coefficient (and then the signs).
        std::string terms;
        CQELTDoc& doc = *views.windows.doc;
        for (int row = 0; row < kRowCount; ++row) {
            if (const CQELTReagent* reagent = doc.GetReagent(row)) {
                const int coefficient = doc.GetCoefficient(row);
                terms += (coefficient == 1 ? "" : std::to_string(coefficient)) + Shown(reagent->GetFormula());
            }
        }
        EXPECT_EQ(views.Equation().rfind(terms, 0), 0u)
            << views.Equation() << " does not start with " << terms;
    }
}

TEST(ReactionViewIonBalancing, BothViewsAfterTheFirstExampleForALook) {
    BothViews views("MnO4^- + Fe^2+ = Mn^2+ + Fe^3+");
    ASSERT_TRUE(views.Command(*views.first, qelt_cmd::BalanceWithH));
    for (ui::ChildFrame* frame : views.windows.frames)
        frame->adjustSize();
    views.windows.area.tileSubWindows();
    QApplication::processEvents();
    test_support::SaveScreenshot(views.windows.area, QStringLiteral("ion_balancing_both_views"));
    EXPECT_EQ(views.Rows(), "MnO4^- + Fe^2+ + H^+ = Mn^2+ + Fe^3+ + H2O");
}

TEST(ReactionViewIonBalancing, AFailureLeavesTheRowsAndShowsNoCoefficients) {
    BothViews views("NaCl + H2O = KBr");
    ASSERT_TRUE(views.Command(*views.first, qelt_cmd::BalanceWithH));
    EXPECT_EQ(views.Rows(), "NaCl + H2O = KBr");
    EXPECT_EQ(views.Coefficients(), (std::vector<std::string>{"?", "?", "?"}));
    EXPECT_EQ(views.windows.host.statusText.rfind("Can't balance", 0), 0u) << views.windows.host.statusText;
    EXPECT_FALSE(views.windows.doc->IsModified());
    EXPECT_FALSE(views.Enabled(*views.first, qelt_cmd::CopyText));
}

TEST(ReactionViewIonBalancing, InManualModeTheRowsOfIonsAndWaterOnlyGo) {
    BothViews views("Fe + H^+ + O2 = Fe2O3 + OH^- + H2O");
    views.windows.doc->SetManualCoefficients(true);
    views.windows.doc->BalanceReaction();
    ASSERT_TRUE(views.Command(*views.second, qelt_cmd::BalanceWithOH));
    EXPECT_EQ(views.Rows(), "Fe + O2 = Fe2O3");
    EXPECT_EQ(views.Coefficients(), (std::vector<std::string>{"1", "1", "1"}));
    EXPECT_TRUE(views.windows.doc->IsModified());
}

TEST(ReactionViewClipboard, CommandsFollowTheCoefficientsAndCopyTheReaction) {
    BothViews views("H2 + O2 = H2O");
    for (int id : {qelt_cmd::CopyText, qelt_cmd::CopyHtml, qelt_cmd::CopyUbbc, qelt_cmd::CopyLatex}) {
        EXPECT_TRUE(views.Enabled(*views.first, id)) << id;
        EXPECT_TRUE(views.Enabled(*views.second, id)) << id;
    }
    ASSERT_TRUE(views.Command(*views.second, qelt_cmd::CopyText));
    EXPECT_EQ(ui::ClipboardTextBytes(), "2H2 + O2 -> 2H2O");
    EXPECT_EQ(ui::ClipboardRichText(),
              QByteArray("{\\rtf1\\ansi{2H{\\sub 2} + O{\\sub 2} -> 2H{\\sub 2}O}}"));
    ASSERT_TRUE(views.Command(*views.first, qelt_cmd::CopyLatex));
    EXPECT_EQ(ui::ClipboardTextBytes(),
              "2\\textrm{H}_{2}+\\textrm{O}_{2}\\rightarrow2\\textrm{H}_{2}\\textrm{O}");
    EXPECT_TRUE(ui::ClipboardRichText().isEmpty());

    // A formula typed so that the reaction no longer balances: every copy command is disabled.
    Retype(Edit(*views.first, kFirstProductRow, kFormulaSlot), "NaCl");
    EXPECT_FALSE(views.windows.doc->HasBalancedCoefficients());
    for (int id : {qelt_cmd::CopyText, qelt_cmd::CopyHtml, qelt_cmd::CopyUbbc, qelt_cmd::CopyLatex}) {
        EXPECT_FALSE(views.Enabled(*views.first, id)) << id;
        EXPECT_FALSE(views.Enabled(*views.second, id)) << id;
    }
    // Typed coefficients enable them again, whether they balance or not.
    views.windows.doc->SetManualCoefficients(true);
    views.windows.doc->BalanceReaction();
    EXPECT_TRUE(views.Enabled(*views.first, qelt_cmd::CopyUbbc));
}

} // namespace
