// MergeCookies with as many new cookies as old ones, half of them sharing a
// name, and a few deleted. The fitted complexity shows how the time grows.
#include "update/cookies.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Entries "k<i>=<value><i>" for i in [first, first + count), every 97th of
// them "k<i>=deleted", joined with "; ".
std::string Jar(long first, long count, const std::string& value) {
    std::string jar;
    for (long i = first; i < first + count; ++i) {
        jar.append("k").append(std::to_string(i)).append("=");
        if (i % 97 == 0) {
            jar.append("deleted");
        } else {
            jar.append(value).append(std::to_string(i));
        }
        jar.append("; ");
    }
    return jar;
}

void MergeCookiesOldAndNew(benchmark::State& state) {
    const long count = state.range(0);
    const std::string oldJar = Jar(0, count, "old");
    const std::string newJar = Jar(count / 2, count, "new");
    for (auto _ : state) {
        state.PauseTiming();
        std::string cookies = oldJar;
        std::string newCookies = newJar;
        state.ResumeTiming();
        benchmark::DoNotOptimize(tandrel::MergeCookies(cookies, newCookies));
    }
    state.SetComplexityN(count);
    state.counters["per_cookie"] = benchmark::Counter(
        2.0 * static_cast<double>(count),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(MergeCookiesOldAndNew)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
