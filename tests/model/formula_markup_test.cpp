#include "model/chemical_formula.h"

#include "model/element_table.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MarkupCase {
    const char* formula;
    const char* html;
    const char* rtf;
    const char* ubbc;
    const char* latex;
};

TEST(FormulaMarkup, EveryRendererWritesTheRunsOfTheDisplayForm) {
    const std::vector<MarkupCase> cases = {
        {"CuSO_4&5H_2O", "CuSO<sub>4</sub>&middot;5H<sub>2</sub>O", "CuSO{\\sub 4}{\\super .}5H{\\sub 2}O",
         "CuSO[sub]4[/sub][sup].[/sup]5H[sub]2[/sub]O",
         "\\textrm{CuSO}_{4}\\cdot\\textrm{5H}_{2}\\textrm{O}"},
        {"^{14}CO_2", "<sup>14</sup>CO<sub>2</sub>", "{\\super 14}CO{\\sub 2}", "[sup]14[/sup]CO[sub]2[/sub]",
         "^{14}\\textrm{CO}_{2}"},
        // A plain formula has its digit subscripts.
        {"H2SO4", "H<sub>2</sub>SO<sub>4</sub>", "H{\\sub 2}SO{\\sub 4}", "H[sub]2[/sub]SO[sub]4[/sub]",
         "\\textrm{H}_{2}\\textrm{SO}_{4}"},
        // A dot mark at the end closes nothing after it.
        {"CuSO_4&", "CuSO<sub>4</sub>&middot;", "CuSO{\\sub 4}{\\super .}", "CuSO[sub]4[/sub][sup].[/sup]",
         "\\textrm{CuSO}_{4}\\cdot"},
        // Only the dot is a hydrate dot: a braced count after it is written.
        {"CuSO4&{5}H2O", "CuSO4&middot;5H2O", "CuSO4{\\super .}5H2O", "CuSO4[sup].[/sup]5H2O",
         "\\textrm{CuSO4}\\cdot\\textrm{5H2O}"},
        // Two dots in a row are one run.
        {"A&&B", "A&middot;B", "A{\\super ..}B", "A[sup]..[/sup]B", "\\textrm{A}\\cdot\\textrm{B}"},
        {"SO_4^{2-}", "SO<sub>4</sub><sup>2-</sup>", "SO{\\sub 4}{\\super 2-}", "SO[sub]4[/sub][sup]2-[/sup]",
         "\\textrm{SO}_{4}^{2-}"},
        // Characters are copied without escaping.
        {"<b>&\\", "<b>&middot;\\", "<b>{\\super .}\\", "<b>[sup].[/sup]\\",
         "\\textrm{<b>}\\cdot\\textrm{\\}"},
        {"", "", "", "", ""},
    };
    for (const MarkupCase& c : cases) {
        SCOPED_TRACE(c.formula);
        const ChemicalFormula formula(c.formula);
        EXPECT_EQ(formula.ToHTML(), c.html);
        EXPECT_EQ(formula.ToRTF(), c.rtf);
        EXPECT_EQ(formula.ToUBBC(), c.ubbc);
        EXPECT_EQ(formula.ToLaTeX(), c.latex);
    }
}

TEST(FormulaMarkup, SortedFormula) {
    ScopedTestModelHost host;
    ASSERT_EQ(host.GetElementTable().AddElement("Cit", "C6H5O7", "", 189.1, 1),
              ElementTable::kFirstMoietyRow);
    struct Case {
        const char* formula;
        const char* sorted;
    };
    const std::vector<Case> cases = {
        {"CH3COOH", "C2H4O2"},
        {"NaHCO3", "CHO3Na"},
        {"NaCl,2H2O", "H4O2NaCl"},
        {"(NH4)2HPO4", "H9N2O4P"},
        {"Na2S2O3", "O3S2Na2"},
        {"SO_4^{2-}", "O4S"},
        {"Na3Cit", "Na3Cit"},
        {"He", "He"},
        {"e^-", ""},
        {"Xy", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        EXPECT_EQ(ChemicalFormula(c.formula).ToSortedFormula(), c.sorted);
    }
}

} // namespace
