// Balancing speed over the corpus of published hard equations (one benchmark per reaction, each a full
// CQELTDoc::BalanceReaction on a document already read from its equation) and over large random reactions
// that need exact arithmetic beyond 64 bits (medians of repeats, printed beside their targets).

#include "model/qelt_doc.h"
#include "model/reaction_balancer.h"
#include "support/random_reaction.h"
#include "support/reaction_corpus.h"
#include "support/test_model_host.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The status bar of a benchmark keeps nothing, so that millions of runs hold no memory.
class BenchHost : public ScopedTestModelHost {
public:
    void SetStatusText(const std::string&) override {}
};

void BalanceOne(benchmark::State& state, const CorpusReaction* reaction) {
    BenchHost host;
    CQELTDoc doc;
    if (!doc.SetFromString(std::string(reaction->equation))) {
        state.SkipWithError("equation not accepted");
        return;
    }
    for (auto _ : state) {
        const bool balanced = doc.BalanceReaction();
        benchmark::DoNotOptimize(balanced);
    }
    state.SetLabel(std::string(reaction->equation.substr(0, 40)));
}

void BalanceWholeCorpus(benchmark::State& state) {
    BenchHost host;
    std::vector<std::unique_ptr<CQELTDoc>> docs;
    for (const auto& reaction : kReactionCorpus) {
        docs.push_back(std::make_unique<CQELTDoc>());
        docs.back()->SetFromString(std::string(reaction.equation));
    }
    for (auto _ : state) {
        for (auto& doc : docs)
            benchmark::DoNotOptimize(doc->BalanceReaction());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(docs.size()));
}

// Random solvable reactions of one size (a fixed seed, so every run measures the same ones), balanced in
// turn. The label carries the target for a median balancing at that size.
void BalanceRandom(benchmark::State& state) {
    const int substances = static_cast<int>(state.range(0));
    std::mt19937 random(1515u + static_cast<unsigned>(substances));
    std::vector<RandomReaction> reactions;
    for (int i = 0; i < 8; ++i)
        reactions.push_back(MakeRandomReaction(substances, random));
    const auto symbol = [](int row) { return "X" + std::to_string(row); };
    for (const auto& reaction : reactions) {
        if (BalanceCompositions(reaction.packed, reaction.reactants, symbol) != reaction.coefficients) {
            state.SkipWithError("a random reaction balanced to other coefficients");
            return;
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const auto& reaction = reactions[next++ % reactions.size()];
        benchmark::DoNotOptimize(BalanceCompositions(reaction.packed, reaction.reactants, symbol));
    }
    state.SetLabel(substances <= 80 ? "target < 1 ms" : "target < 3 ms");
}

const bool kRegistered = [] {
    for (const auto& reaction : kReactionCorpus)
        benchmark::RegisterBenchmark(("Balance/" + std::string(reaction.name)).c_str(), BalanceOne, &reaction)
            ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BalanceWholeCorpus", BalanceWholeCorpus)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BalanceRandom", BalanceRandom)
        ->Arg(40)
        ->Arg(80)
        ->Arg(120)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
