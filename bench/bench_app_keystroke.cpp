// One keystroke in a formula box of a 20-reagent reaction with both form views open: the view rebalances
// and recalculates the reaction, and both views show the result (data exchange, row states and painting).
#include "app/child_frames.h"
#include "app/qelt_view1.h"
#include "app/qelt_view2.h"
#include "app/reaction_document.h"
#include "app/reaction_view_ids.h"
#include "model/model_host.h"
#include "model/qelt_doc.h"
#include "support/test_model_host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

// Nineteen elements combine into one compound: 20 reagents, one solution.
const char* const kReaction =
    "H2 + Li + Be + B + C + N2 + O2 + F2 + Na + Mg + Al + Si + P + S + Cl2 + K + Ca + Sc + Ti"
    " = HLiBeBCNOFNaMgAlSiPSClKCaScTi";

void Key(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

void KeystrokeInFormulaBox(benchmark::State& state) {
    TestModelHost host;
    SetModelHost(&host);
    ReactionDocument open;
    CQELTDoc* doc = &open.Reaction();
    if (!doc->SetFromString(kReaction))
        throw std::runtime_error("the reaction did not parse");
    auto* view1 = new CQELTView1;
    auto* view2 = new CQELTView2;
    auto* frame1 = new CChildFrame(view1, 201);
    auto* frame2 = new CChildFrame(view2, 202);
    for (CChildFrame* frame : {frame1, frame2}) {
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        open.AddFrame(frame);
        dynamic_cast<CQELTView*>(frame->ActiveView())->Create();
        frame->show();
    }
    QApplication::processEvents();
    if (!doc->HasBalancedCoefficients() || doc->GetReactantCount() + doc->GetProductCount() != 20)
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
    bool typed = false;
    for (auto _ : state) {
        // One more hydrogen in the product, then taken away again: each keystroke balances anew.
        if (typed)
            Key(formula, Qt::Key_Backspace, {});
        else
            Key(formula, Qt::Key_H, QStringLiteral("H"));
        typed = !typed;
        QApplication::processEvents();
    }
    if (!doc->HasBalancedCoefficients() || !doc->HasComputedAmounts())
        state.SkipWithError("the reaction lost its balance");
    state.SetLabel("20 reagents, both views");
    delete frame2;
    delete frame1;
    SetModelHost(nullptr);
}

} // namespace

BENCHMARK(KeystrokeInFormulaBox)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
