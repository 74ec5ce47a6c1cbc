// Balancing speed over the corpus of published hard equations: one benchmark per reaction, each a full
// CQELTDoc::BalanceReaction on a document already read from its equation.

#include "model/qelt_doc.h"
#include "support/reaction_corpus.h"
#include "support/test_model_host.h"

#include <benchmark/benchmark.h>

#include <string>

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

const bool kRegistered = [] {
    for (const auto& reaction : kReactionCorpus)
        benchmark::RegisterBenchmark(("Balance/" + std::string(reaction.name)).c_str(), BalanceOne, &reaction)
            ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BalanceWholeCorpus", BalanceWholeCorpus)->Unit(benchmark::kMicrosecond);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
