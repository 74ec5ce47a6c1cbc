// The substances database dialog at 10,000 and 100,000 generated substances, offscreen: opening it, a
// keystroke in the filter when every entry matches (and when a few hundred do), and Add, Delete and Modify,
// each to the updated list. Medians of repeats, printed beside their targets.
#include "app/dialogs/substance_database_dlg.h"
#include "bench_keys.h"
#include "model/model_host.h"
#include "model/substance_database.h"
#include "support/test_model_host.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

using Dlg = CSubstanceDatabaseDlg;

// A database of generated substances: names of two to four fragments and a number (every one holds an "e"
// and a digit), random formulas. Filled in one pass, indexed once.
class GeneratedDatabase : public SubstanceDatabase {
public:
    explicit GeneratedDatabase(int count) {
        static const char* const kFragments[] = {"meth",  "eth",   "prop", "but",   "pent", "hex",  "oxy",
                                                 "amino", "chlor", "brom", "nitro", "hydr", "sulf", "phen",
                                                 "benz",  "acet",  "carb", "cycl",  "iso",  "tri"};
        static const char* const kEndings[] = {"ene", "ate", "ide", "ine", "ether", "ester"};
        static const char* const kSymbols[] = {"C", "H", "O", "N", "S", "Cl", "Br", "Na", "K", "P"};
        std::mt19937 random(10000u + static_cast<unsigned>(count));
        const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        for (int i = 0; i < count; ++i) {
            std::string name;
            for (int k = 2 + pick(3); k > 0; --k)
                name += kFragments[pick(20)];
            name += kEndings[pick(6)];
            name += " " + std::to_string(i);
            std::string formula;
            for (int k = 1 + pick(4); k > 0; --k)
                formula += kSymbols[pick(10)] + std::to_string(1 + pick(12));
            auto substance = std::make_unique<CSubstance>();
            substance->SetName(name);
            substance->SetFormulaText(formula);
            Items().push_back(std::move(substance));
        }
        RebuildIndexes();
    }
};

// One dialog over a generated database, shown, with the host the formula frame weighs formulas through.
struct OpenDialog {
    explicit OpenDialog(int count) : database(count) {
        SetModelHost(&host);
        Open();
    }
    ~OpenDialog() {
        dialog.reset();
        SetModelHost(nullptr);
    }
    void Open() {
        dialog = std::make_unique<Dlg>(database);
        dialog->Create();
        dialog->show();
        QApplication::processEvents();
    }
    QLineEdit* Edit(int id) const { return dialog->Control<QLineEdit>(id); }
    QListWidget* List() const { return dialog->Control<QListWidget>(Dlg::kList); }
    void Click(int id) const {
        dialog->Control<QPushButton>(id)->click();
        QApplication::processEvents();
    }
    // Selects a list entry as the user does: the row above by code, then the Down key.
    void Select(int row) const {
        QListWidget* list = List();
        list->setFocus();
        list->setCurrentRow(row - 1);
        Key(list, Qt::Key_Down, {});
        QApplication::processEvents();
    }
    void SetText(int id, const QString& text) const {
        Edit(id)->setText(text);
        QApplication::processEvents();
    }

    TestModelHost host;
    GeneratedDatabase database;
    std::unique_ptr<Dlg> dialog;
};

std::string Target(const benchmark::State& state, int at10k, int at100k) {
    return "target < " + std::to_string(state.range(0) <= 10000 ? at10k : at100k) + " ms";
}

void OpenTheDialog(benchmark::State& state) {
    OpenDialog open(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        open.dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
        open.Open();
    }
    if (open.List()->count() != state.range(0))
        state.SkipWithError("not every substance listed");
    state.SetLabel(Target(state, 50, 500));
}

// Typing "e" into the filter lists every name through the matcher; taking it away again ("" is no filter)
// lists every name without it. With `few`, "ethe" and "eth" list a few hundred names.
void FilterKeystroke(benchmark::State& state, bool few) {
    OpenDialog open(static_cast<int>(state.range(0)));
    QLineEdit* filter = open.Edit(Dlg::kFilterEdit);
    filter->setFocus();
    filter->setText(few ? "eth" : "");
    filter->end(false);
    TypeAndTakeBack(state, filter, Qt::Key_E, QStringLiteral("e"));
    if (!few && open.List()->count() != state.range(0))
        state.SkipWithError("not every substance listed");
    state.SetLabel(Target(state, 16, 150) +
                   (few ? ", " + std::to_string(open.List()->count()) + " listed" : ""));
}

void FilterKeystrokeAllMatch(benchmark::State& state) {
    FilterKeystroke(state, false);
}

void FilterKeystrokeSomeMatch(benchmark::State& state) {
    FilterKeystroke(state, true);
}

void AddSubstance(benchmark::State& state) {
    OpenDialog open(static_cast<int>(state.range(0)));
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        open.SetText(Dlg::kNameEdit, QStringLiteral("added substance %1").arg(next++));
        open.SetText(Dlg::kFormulaEdit, QStringLiteral("C2H6O"));
        state.ResumeTiming();
        open.Click(Dlg::kAddButton);
    }
    if (open.database.GetCount() != state.range(0) + next)
        state.SkipWithError("Add did not add");
    state.SetLabel(Target(state, 16, 150));
}

void DeleteSubstance(benchmark::State& state) {
    OpenDialog open(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        open.Select(open.List()->count() / 2);
        state.ResumeTiming();
        open.Click(Dlg::kDeleteButton);
    }
    if (open.database.GetCount() != state.range(0) - static_cast<int>(state.iterations()))
        state.SkipWithError("Delete did not delete");
    state.SetLabel(Target(state, 16, 150));
}

void ModifySubstance(benchmark::State& state) {
    OpenDialog open(static_cast<int>(state.range(0)));
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        open.Select(open.List()->count() / 3);
        open.SetText(Dlg::kNameEdit, QStringLiteral("modified substance %1").arg(next++));
        state.ResumeTiming();
        open.Click(Dlg::kModifyButton);
    }
    if (open.database.FindByName("modified substance 0") == nullptr)
        state.SkipWithError("Modify did not modify");
    state.SetLabel(Target(state, 16, 150));
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("substances")
        ->Arg(10000)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(OpenTheDialog)->Apply(Sizes);
BENCHMARK(FilterKeystrokeAllMatch)->Apply(Sizes);
BENCHMARK(FilterKeystrokeSomeMatch)->Apply(Sizes);
BENCHMARK(AddSubstance)->Apply(Sizes);
BENCHMARK(DeleteSubstance)->Apply(Sizes);
BENCHMARK(ModifySubstance)->Apply(Sizes);

} // namespace

int main(int argc, char** argv) {
    return RunApplicationBenchmarks(argc, argv);
}
