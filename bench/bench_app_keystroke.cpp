// One keystroke in a formula box of a reaction with both form views open: the view rebalances and
// recalculates the reaction, and both views show the result (data exchange, row states and painting). Two
// reactions: 20 reagents of real elements, and 125 reagents of generated formulas over the elements and 26
// moieties (a random solvable reaction, fixed seed).
#include "app/child_frames.h"
#include "app/qelt_view1.h"
#include "app/qelt_view2.h"
#include "app/reaction_document.h"
#include "app/reaction_view_ids.h"
#include "bench_keys.h"
#include "model/model_host.h"
#include "model/qelt_doc.h"
#include "support/random_reaction.h"
#include "support/test_model_host.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

// Nineteen elements combine into one compound: 20 reagents, one solution.
const char* const kReaction =
    "H2 + Li + Be + B + C + N2 + O2 + F2 + Na + Mg + Al + Si + P + S + Cl2 + K + Ca + Sc + Ti"
    " = HLiBeBCNOFNaMgAlSiPSClKCaScTi";

// A random solvable reaction of 125 substances written as formulas: its 124 elements are the table's rows
// from 1 on, the 26 moieties "Qa" to "Qz" that the host's table gains included.
std::string LargeReaction(TestModelHost& host) {
    ElementTable& table = host.GetElementTable();
    for (char letter = 'a'; letter <= 'z'; ++letter)
        table.AddElement(std::string("Q") + letter, "", "", 100.0, 1);
    std::mt19937 random(125);
    const RandomReaction reaction = MakeRandomReaction(125, random);
    std::string text;
    for (std::size_t j = 0; j < reaction.packed.size(); ++j) {
        if (j > 0)
            text += static_cast<int>(j) == reaction.reactants ? " = " : " + ";
        for (std::size_t row = 1; row < reaction.packed[j].size(); ++row) {
            if (const int count = reaction.packed[j][row]; count != 0) {
                text += table.GetAt(static_cast<int>(row)).GetSymbol();
                if (count != 1)
                    text += std::to_string(count);
            }
        }
    }
    return text;
}

void KeystrokeInFormulaBox(benchmark::State& state) {
    TestModelHost host;
    SetModelHost(&host);
    const bool large = state.range(0) != 0;
    const std::string reaction = large ? LargeReaction(host) : std::string(kReaction);
    const int reagents = large ? 125 : 20;
    ReactionDocument open;
    CQELTDoc* doc = &open.Reaction();
    if (!doc->SetFromString(reaction))
        throw std::runtime_error("the reaction did not parse");
    auto* view1 = new CQELTView1;
    auto* view2 = new CQELTView2;
    auto* frame1 = new CChildFrame(view1, 201);
    auto* frame2 = new CChildFrame(view2, 202);
    // The views are windows of the main frame's workspace, which a screen bounds; a long reaction's form is
    // far wider than it.
    QMdiArea area;
    area.resize(1280, 960);
    area.show();
    for (CChildFrame* frame : {frame1, frame2}) {
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        area.addSubWindow(frame);
        open.AddFrame(frame);
        dynamic_cast<CQELTView*>(frame->ActiveView())->Create();
        frame->show();
    }
    QApplication::processEvents();
    if (!doc->HasBalancedCoefficients() || doc->GetReactantCount() + doc->GetProductCount() != reagents)
        throw std::runtime_error("the reaction is not balanced");

    // An amount, so that every keystroke also computes and shows every other amount.
    auto* mass = qobject_cast<QLineEdit*>(view1->RowControl(0, reaction_view::kMassSlot));
    mass->setFocus();
    mass->selectAll();
    Key(mass, Qt::Key_1, QStringLiteral("1"));

    auto* formula = qobject_cast<QLineEdit*>(
        view1->RowControl(reaction_view::kFirstProductRow, reaction_view::kFormulaSlot));
    formula->setFocus();
    formula->end(false);
    // One more hydrogen in the product, then taken away again: each keystroke balances anew.
    if (TypeAndTakeBack(state, formula, Qt::Key_H, QStringLiteral("H"))) {
        Key(formula, Qt::Key_Backspace, {});
        QApplication::processEvents();
    }
    if (!doc->HasBalancedCoefficients() || !doc->HasComputedAmounts())
        state.SkipWithError("the reaction lost its balance");
    state.SetLabel(std::to_string(reagents) + " reagents, both views, target < 16 ms");
    delete frame2;
    delete frame1;
    SetModelHost(nullptr);
}

} // namespace

BENCHMARK(KeystrokeInFormulaBox)
    ->ArgName("large")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    return RunApplicationBenchmarks(argc, argv);
}
