// The substance filter's work at each keystroke: compile the typed pattern, then search every name.
#include "pattern/rexi_search.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// A few hundred substance names, as a database of common chemicals might hold.
std::vector<std::string> SubstanceNames() {
    static const char* const kStems[] = {
        "methane",  "ethane",   "propane",  "butane",  "benzene",      "toluene",   "phenol",    "acetone",
        "ethanol",  "methanol", "glycerol", "urea",    "glucose",      "sucrose",   "ammonia",   "chloride",
        "bromide",  "iodide",   "sulfate",  "nitrate", "carbonate",    "phosphate", "hydroxide", "oxide",
        "peroxide", "acetate",  "citrate",  "oxalate", "permanganate", "dichromate"};
    static const char* const kPrefixes[] = {"",           "Sodium ", "Potassium ", "Calcium ", "Copper(II) ",
                                            "Iron(III) ", "Chloro",  "Dichloro",   "Bromo",    "Nitro"};
    std::vector<std::string> names;
    for (const char* prefix : kPrefixes) {
        for (const char* stem : kStems)
            names.push_back(std::string(prefix) + stem);
    }
    return names;
}

void BM_CompileFilter(benchmark::State& state) {
    REXI_Search search(0);
    for (auto _ : state) {
        const REXI_Status status = search.SetPattern("(chlor|brom)\\i.*(ide|ate)");
        benchmark::DoNotOptimize(status.status);
    }
}
BENCHMARK(BM_CompileFilter);

void BM_SearchNames(benchmark::State& state) {
    const std::vector<std::string> names = SubstanceNames();
    REXI_Search search(0);
    search.SetPattern("(chlor|brom)\\i.*(ide|ate)");
    for (auto _ : state) {
        int listed = 0;
        for (const std::string& name : names) {
            const char* p = name.c_str();
            int length = 0;
            bool atTerminator = false;
            listed += search.Search(p, length, atTerminator);
        }
        benchmark::DoNotOptimize(listed);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(names.size()));
}
BENCHMARK(BM_SearchNames);

// One refill of the list as the dialog does it: a new search object, the pattern, every name.
void BM_Keystroke(benchmark::State& state) {
    const std::vector<std::string> names = SubstanceNames();
    for (auto _ : state) {
        REXI_Search search(0);
        search.SetPattern("[CS]\\i[a-z]*ate");
        int listed = 0;
        for (const std::string& name : names) {
            const char* p = name.c_str();
            int length = 0;
            bool atTerminator = false;
            listed += search.Search(p, length, atTerminator);
        }
        benchmark::DoNotOptimize(listed);
    }
}
BENCHMARK(BM_Keystroke);

// The largest automaton a pattern may build before it is refused.
void BM_CompileTooComplex(benchmark::State& state) {
    REXI_Search search(0);
    for (auto _ : state) {
        const REXI_Status status = search.SetPattern(".*a....................");
        benchmark::DoNotOptimize(status.status);
    }
}
BENCHMARK(BM_CompileTooComplex);

} // namespace

BENCHMARK_MAIN();
