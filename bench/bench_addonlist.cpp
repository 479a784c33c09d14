#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "addonlist/addonlist.h"
#include "bench/bench_timing.h"

namespace brelvik {
namespace {

// The most entries a list box holds, and a tenth of it.
constexpr std::size_t kSmall = 3276;
constexpr std::size_t kLarge = 32767;

std::vector<std::wstring> Entries(std::size_t count, const std::wstring& folder) {
    std::vector<std::wstring> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(folder + L"\\addon_" + std::to_wstring(i) + (i % 2 ? L".txt" : L".pbo"));
    }
    return entries;
}

struct Lists {
    explicit Lists(std::size_t count)
        : addons(Entries(count - count / 4, L"C:\\Games\\Veldrun\\Addons")),
          others(Entries(count / 4, L"C:\\Games\\Veldrun\\Docs")),
          text(Join_addonlist(addons, others)) {}
    std::vector<std::wstring> addons, others;
    std::wstring text;
};

// Each iteration times the small and the large list; the counter "large_vs_small" is how many
// times longer ten times the entries take (goal: at most 12).
template <class Subject>
void Run_sizes(benchmark::State& state, Subject subject) {
    const Lists small(kSmall);
    const Lists large(kLarge);
    double smallSeconds = 0;
    double largeSeconds = 0;
    for (auto _ : state) {
        smallSeconds += Seconds([&] { subject(small); });
        const double seconds = Seconds([&] { subject(large); });
        largeSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["large_vs_small"] = largeSeconds / smallSeconds;
}

void BM_Split_addonlist(benchmark::State& state) {
    Run_sizes(state, [](const Lists& lists) {
        benchmark::DoNotOptimize(Split_addonlist(lists.text).others.size());
    });
}

void BM_Join_addonlist(benchmark::State& state) {
    Run_sizes(state, [](const Lists& lists) {
        benchmark::DoNotOptimize(Join_addonlist(lists.addons, lists.others).size());
    });
}

BENCHMARK(BM_Split_addonlist)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Join_addonlist)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brelvik
