// Reading a substance database section of the older layout, which is imported item by item.
// Target: 100,000 entries in under a second.

#include "model/substance.h"
#include "model/substance_database.h"
#include "platform/core/archive.h"
#include "support/test_model_host.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::vector<std::uint8_t> OlderSection(int count) {
    Archive ar;
    ar << std::int32_t{SubstanceDatabase::kOldVersion};
    ar.WriteCount(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        CSubstance substance;
        substance.SetName("substance " + std::to_string(i));
        substance.SetFormulaText("C" + std::to_string(i % 60 + 1) + "H" + std::to_string(i % 120 + 2));
        substance.Serialize(ar);
    }
    return ar.Bytes();
}

void ImportOlderSection(benchmark::State& state) {
    ScopedTestModelHost host;
    const std::vector<std::uint8_t> bytes = OlderSection(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SubstanceDatabase db;
        Archive ar(bytes);
        db.Serialize(ar);
        benchmark::DoNotOptimize(db.GetCount());
    }
    state.counters["target_ms"] = 1000;
}
BENCHMARK(ImportOlderSection)->Arg(16000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
