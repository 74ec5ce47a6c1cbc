#include "model/reaction_export.h"

#include "model/qelt_doc.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ExportCase {
    const char* reaction;
    std::vector<int> manual; // typed coefficients in packed order; empty: balanced automatically
    const char* text;
    const char* html;
    const char* ubbc;
    const char* latex;
    const char* rtf;
};

void Prepare(CQELTDoc& document, const ExportCase& c) {
    ASSERT_TRUE(document.SetFromString(c.reaction));
    if (!c.manual.empty()) {
        document.SetManualCoefficients(true);
        for (std::size_t k = 0; k < c.manual.size(); ++k)
            document.SetManualCoefficient(static_cast<int>(k), c.manual[k]);
    }
    document.BalanceReaction();
}

TEST(ReactionExport, EverySyntaxWritesTheReactionWithItsCoefficients) {
    ScopedTestModelHost host;
    const std::vector<ExportCase> cases = {
        {"H2 + O2 = H2O",
         {},
         "2H2 + O2 -> 2H2O",
         "2H<sub>2</sub> + O<sub>2</sub> &rarr; 2H<sub>2</sub>O",
         "2H[sub]2[/sub] + O[sub]2[/sub] -> 2H[sub]2[/sub]O",
         "2\\textrm{H}_{2}+\\textrm{O}_{2}\\rightarrow2\\textrm{H}_{2}\\textrm{O}",
         "{\\rtf1\\ansi{2H{\\sub 2} + O{\\sub 2} -> 2H{\\sub 2}O}}"},
        // Typed coefficients are written even when they are 1, balanced or not.
        {"H2 + O2 = H2O",
         {2, 1, 2},
         "2H2 + 1O2 -> 2H2O",
         "2H<sub>2</sub> + 1O<sub>2</sub> &rarr; 2H<sub>2</sub>O",
         "2H[sub]2[/sub] + 1O[sub]2[/sub] -> 2H[sub]2[/sub]O",
         "2\\textrm{H}_{2}+1\\textrm{O}_{2}\\rightarrow2\\textrm{H}_{2}\\textrm{O}",
         "{\\rtf1\\ansi{2H{\\sub 2} + 1O{\\sub 2} -> 2H{\\sub 2}O}}"},
        {"H2 + O2 = H2O",
         {1, 1, 1},
         "1H2 + 1O2 -> 1H2O",
         "1H<sub>2</sub> + 1O<sub>2</sub> &rarr; 1H<sub>2</sub>O",
         "1H[sub]2[/sub] + 1O[sub]2[/sub] -> 1H[sub]2[/sub]O",
         "1\\textrm{H}_{2}+1\\textrm{O}_{2}\\rightarrow1\\textrm{H}_{2}\\textrm{O}",
         "{\\rtf1\\ansi{1H{\\sub 2} + 1O{\\sub 2} -> 1H{\\sub 2}O}}"},
        // One reactant and one product: no plus sign anywhere.
        {"O3 = O2",
         {},
         "2O3 -> 3O2",
         "2O<sub>3</sub> &rarr; 3O<sub>2</sub>",
         "2O[sub]3[/sub] -> 3O[sub]2[/sub]",
         "2\\textrm{O}_{3}\\rightarrow3\\textrm{O}_{2}",
         "{\\rtf1\\ansi{2O{\\sub 3} -> 3O{\\sub 2}}}"},
        // Charges in the extended notation; the plain text keeps the marks as typed.
        {"MnO_4^- + Fe^{2+} + H^+ = Mn^{2+} + Fe^{3+} + H_2O",
         {},
         "MnO_4^- + 5Fe^{2+} + 8H^+ -> Mn^{2+} + 5Fe^{3+} + 4H_2O",
         "MnO<sub>4</sub><sup>-</sup> + 5Fe<sup>2+</sup> + 8H<sup>+</sup> &rarr; Mn<sup>2+</sup> + "
         "5Fe<sup>3+</sup> + 4H<sub>2</sub>O",
         "MnO[sub]4[/sub][sup]-[/sup] + 5Fe[sup]2+[/sup] + 8H[sup]+[/sup] -> Mn[sup]2+[/sup] + "
         "5Fe[sup]3+[/sup] + 4H[sub]2[/sub]O",
         "\\textrm{MnO}_{4}^{-}+5\\textrm{Fe}^{2+}+8\\textrm{H}^{+}\\rightarrow\\textrm{Mn}^{2+}+5\\textrm{"
         "Fe}^{"
         "3+}+4\\textrm{H}_{2}\\textrm{O}",
         "{\\rtf1\\ansi{MnO{\\sub 4}{\\super -} + 5Fe{\\super 2+} + 8H{\\super +} -> Mn{\\super 2+} + "
         "5Fe{\\super 3+} + 4H{\\sub 2}O}}"},
        // A hydrate typed with a dot: the reaction string keeps it as the "&" mark.
        {"CuSO_4.5H_2O = CuSO_4 + H_2O",
         {},
         "CuSO_4&5H_2O -> CuSO_4 + 5H_2O",
         "CuSO<sub>4</sub>&middot;5H<sub>2</sub>O &rarr; CuSO<sub>4</sub> + 5H<sub>2</sub>O",
         "CuSO[sub]4[/sub][sup].[/sup]5H[sub]2[/sub]O -> CuSO[sub]4[/sub] + 5H[sub]2[/sub]O",
         "\\textrm{CuSO}_{4}\\cdot\\textrm{5H}_{2}\\textrm{O}\\rightarrow\\textrm{CuSO}_{4}+5\\textrm{H}_{2}"
         "\\textrm{O}",
         "{\\rtf1\\ansi{CuSO{\\sub 4}{\\super .}5H{\\sub 2}O -> CuSO{\\sub 4} + 5H{\\sub 2}O}}"},
    };
    for (const ExportCase& c : cases) {
        SCOPED_TRACE(c.reaction);
        CQELTDoc document;
        Prepare(document, c);
        ASSERT_TRUE(CanExportReaction(document));
        EXPECT_EQ(ReactionText(document, ReactionSyntax::Text), c.text);
        EXPECT_EQ(ReactionText(document, ReactionSyntax::Html), c.html);
        EXPECT_EQ(ReactionText(document, ReactionSyntax::Ubbc), c.ubbc);
        EXPECT_EQ(ReactionText(document, ReactionSyntax::LaTeX), c.latex);
        EXPECT_EQ(ReactionText(document, ReactionSyntax::Rtf), c.rtf);
    }
}

TEST(ReactionExport, OnlyABalancedReactionOrTypedCoefficientsCanBeExported) {
    ScopedTestModelHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("H2 = H2O"));
    EXPECT_FALSE(document.BalanceReaction());
    EXPECT_FALSE(CanExportReaction(document));

    // Manual mode exports whatever was typed, whether it balances or not.
    document.SetManualCoefficients(true);
    document.BalanceReaction();
    EXPECT_TRUE(CanExportReaction(document));
    EXPECT_EQ(ReactionText(document, ReactionSyntax::Text), "1H2 -> 1H2O");

    CQELTDoc empty;
    EXPECT_FALSE(CanExportReaction(empty));
}

TEST(ReactionExport, ARowWithoutFormulaLeavesOnlyItsCoefficient) {
    ScopedTestModelHost host;
    CQELTDoc document;
    document.SetManualCoefficients(true);
    document.AddReagent(true, std::make_unique<CQELTReagent>("Na"));
    document.AddReagent(true, nullptr);
    document.AddReagent(false, std::make_unique<CQELTReagent>("Na"));
    EXPECT_EQ(ReactionText(document, ReactionSyntax::Text), "1Na + 1 -> 1Na");
    EXPECT_EQ(ReactionText(document, ReactionSyntax::LaTeX), "1\\textrm{Na}+1\\rightarrow1\\textrm{Na}");
}

} // namespace
