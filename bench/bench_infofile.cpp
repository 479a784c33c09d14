#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_timing.h"
#include "info/infofile.h"

namespace brelvik {
namespace {

constexpr std::size_t kReadmeSize = 10 * 1000 * 1000;

InfoFields Large_fields() {
    const std::wstring line =
        L"Drive the tank with W/A/S/D; see www.example.org/tank for the manual.\r\n";
    InfoFields fields{L"Tank", L"A heavy tank", L"No entry", L"Someone", L"1.0", L"1.9", L""};
    fields.readme.reserve(kReadmeSize);
    while (fields.readme.size() + line.size() <= kReadmeSize) {
        fields.readme += line;
    }
    return fields;
}

// Each iteration times the subject beside two baselines over the same buffer: the fastest scan
// there is (looking for a character the text lacks), and a copy into a new string, the least
// that any function returning the text pays (on Linux mostly the first touch of fresh pages).
// The counters say how many times slower the subject is than each (goal: within 10 of the scan).
template <class Subject>
void Run_against_scan(benchmark::State& state, const std::wstring& buffer, Subject subject) {
    double subjectSeconds = 0;
    double scanSeconds = 0;
    double copySeconds = 0;
    for (auto _ : state) {
        const double seconds = Seconds(subject);
        subjectSeconds += seconds;
        scanSeconds += Seconds([&] { benchmark::DoNotOptimize(buffer.find(L'\x01')); });
        copySeconds += Seconds([&] { benchmark::DoNotOptimize(std::wstring(buffer).size()); });
        state.SetIterationTime(seconds);
    }
    state.counters["vs_scan"] = subjectSeconds / scanSeconds;
    state.counters["vs_copy"] = subjectSeconds / copySeconds;
    state.SetBytesProcessed(std::int64_t(state.iterations()) * buffer.size() * sizeof(wchar_t));
}

void BM_Compose_infotext(benchmark::State& state) {
    const InfoFields fields = Large_fields();
    Run_against_scan(state, fields.readme,
                     [&] { benchmark::DoNotOptimize(Compose_infotext(fields).text.size()); });
}

void BM_Parse_infotext(benchmark::State& state) {
    const std::wstring text = Compose_infotext(Large_fields()).text;
    Run_against_scan(state, text,
                     [&] { benchmark::DoNotOptimize(Parse_infotext(text).readme.size()); });
}

BENCHMARK(BM_Compose_infotext)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Parse_infotext)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brelvik
