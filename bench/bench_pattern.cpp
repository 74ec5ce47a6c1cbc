// The substance filter's work at each keystroke: a new search object, the typed pattern compiled, every
// one of 10,000 names searched. Each filter is run in turn with the C library's POSIX regcomp/regexec over
// the same names (asking, as the matcher answers, where the match lies); the speed-up, the median time of
// the C library over ours, is printed beside its target of 4.
#include "pattern/rexi_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <regex.h>
#include <string>
#include <vector>

namespace {

constexpr double kTargetSpeedUp = 4.0;
constexpr int kNameCount = 10000;

// Generated substance names, as a database of ten thousand chemicals might hold them.
std::vector<std::string> SubstanceNames() {
    static const char* const kStems[] = {
        "methane",    "ethane",    "propane",     "butane",      "benzene",      "toluene",      "phenol",
        "acetone",    "ethanol",   "methanol",    "glycerol",    "urea",         "glucose",      "sucrose",
        "ammonia",    "chloride",  "bromide",     "iodide",      "sulfate",      "nitrate",      "carbonate",
        "phosphate",  "hydroxide", "oxide",       "peroxide",    "acetate",      "citrate",      "oxalate",
        "chromate",   "sulfide",   "fluoride",    "cyanide",     "silicate",     "borate",       "tartrate",
        "formate",    "benzoate",  "thiosulfate", "perchlorate", "hypochlorite", "permanganate", "dichromate",
        "aniline",    "pyridine",  "furan",       "xylene",      "styrene",      "naphthalene",  "anthracene",
        "acetic acid"};
    static const char* const kPrefixes[] = {
        "",          "Sodium ", "Potassium ", "Calcium ", "Copper(II) ", "Iron(III) ", "Chloro",
        "Dichloro",  "Bromo",   "Nitro",      "Lithium ", "Magnesium ",  "Zinc ",      "Silver ",
        "Ammonium ", "Barium ", "Methyl",     "Ethyl",    "Amino",       "Hydroxy"};
    static const char* const kSuffixes[] = {"",           " hydrate",    " pentahydrate", " (anhydrous)",
                                            " solution",  " 0.1 M",      "-d6",           " (technical)",
                                            " dihydrate", " monohydrate"};
    std::vector<std::string> names;
    for (const char* suffix : kSuffixes) {
        for (const char* prefix : kPrefixes) {
            for (const char* stem : kStems) {
                if (static_cast<int>(names.size()) < kNameCount)
                    names.push_back(std::string(prefix) + stem + suffix);
            }
        }
    }
    return names;
}

const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = SubstanceNames();
    return names;
}

// A filter in the matcher's syntax and the same filter as a POSIX extended regular expression.
struct Filter {
    const char* name;
    const char* ours;
    const char* posix;
};

// The two filters the keystroke is measured with, then the pattern once refused as too complex (its
// automaton has thousands of states, made only as far as the names reach), and a plain word.
const Filter kFilters[] = {
    {"ChlorOrBromSalt", "(chlor|brom)\\i.*(ide|ate)", "(chlor|brom).*(ide|ate)"},
    {"Ate", "[CS]\\i[a-z]*ate", "[CScs][a-z]*ate"},
    {"OnceRefused", ".*a....................", ".*a...................."},
    {"Word", "hydrate", "hydrate"},
};

// How many names the search finds.
int SearchEveryName(REXI_Search& search) {
    int listed = 0;
    for (const std::string& name : Names()) {
        const char* p = name.c_str();
        int length = 0;
        bool atTerminator = false;
        listed += search.Search(p, length, atTerminator);
    }
    return listed;
}

// One refill of the list as the dialog does it: a new search object, the pattern, every name.
int OursOnce(const Filter& filter) {
    REXI_Search search(0);
    if (search.SetPattern(filter.ours).status != 0)
        return -1;
    return SearchEveryName(search);
}

int GlibcOnce(const Filter& filter) {
    regex_t re;
    if (regcomp(&re, filter.posix, REG_EXTENDED) != 0)
        return -1;
    int listed = 0;
    regmatch_t match;
    for (const std::string& name : Names())
        listed += regexec(&re, name.c_str(), 1, &match, 0) == 0;
    regfree(&re);
    return listed;
}

template <class Run> double Seconds(Run run, int& listed) {
    const auto begin = std::chrono::steady_clock::now();
    listed = run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Both matchers in turn, each iteration once; the counters are medians over the iterations.
void BM_FilterVersusGlibc(benchmark::State& state, const Filter* filter) {
    std::vector<double> ours, glibc;
    for (auto _ : state) {
        int ourListed = 0, glibcListed = 0;
        ours.push_back(Seconds([&] { return OursOnce(*filter); }, ourListed));
        glibc.push_back(Seconds([&] { return GlibcOnce(*filter); }, glibcListed));
        if (ourListed < 0 || glibcListed < 0) {
            state.SkipWithError("a matcher refused the pattern");
            return;
        }
        if (ourListed != glibcListed) {
            state.SkipWithError("the two matchers list different names");
            return;
        }
        state.counters["listed"] = ourListed;
    }
    const double ourMedian = Median(ours), glibcMedian = Median(glibc);
    state.counters["ours_ms"] = ourMedian * 1e3;
    state.counters["glibc_ms"] = glibcMedian * 1e3;
    state.counters["speedup"] = glibcMedian / ourMedian;
    state.counters["target"] = kTargetSpeedUp;
    state.SetLabel(glibcMedian / ourMedian >= kTargetSpeedUp ? "meets target" : "BELOW TARGET");
}

void BM_CompileFilter(benchmark::State& state) {
    REXI_Search search(0);
    for (auto _ : state) {
        const REXI_Status status = search.SetPattern("(chlor|brom)\\i.*(ide|ate)");
        benchmark::DoNotOptimize(status.status);
    }
}
BENCHMARK(BM_CompileFilter);

// A pattern whose automaton would have thousands of rows: only its start row is made here.
void BM_CompileOnceRefused(benchmark::State& state) {
    REXI_Search search(0);
    for (auto _ : state) {
        const REXI_Status status = search.SetPattern(".*a....................");
        benchmark::DoNotOptimize(status.status);
    }
}
BENCHMARK(BM_CompileOnceRefused);

void BM_SearchNames(benchmark::State& state) {
    REXI_Search search(0);
    search.SetPattern("(chlor|brom)\\i.*(ide|ate)");
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchEveryName(search));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(Names().size()));
}
BENCHMARK(BM_SearchNames)->Unit(benchmark::kMicrosecond);

const bool kRegistered = [] {
    for (const Filter& filter : kFilters)
        benchmark::RegisterBenchmark((std::string("FilterVersusGlibc/") + filter.name).c_str(),
                                     BM_FilterVersusGlibc, &filter)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
