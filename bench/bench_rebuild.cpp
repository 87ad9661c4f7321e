// Whole rebuilds of the cage through a host query (the cache check, then
// gathering and the connecting phase), on either road, and the cache check
// alone when nothing needs rebuilding.
#include <benchmark/benchmark.h>
#include "bench_counters.h"
#include "bench_scene.h"

namespace {

void benchmarkRebuild(benchmark::State& state, Road road) {
    int n = static_cast<int>(state.range(0)), K = static_cast<int>(state.range(1));
    BenchScene scene(road, n, K);
    scene.query();  // the first build, which sizes every table, stays outside
    for (auto _ : state) {
        scene.invalidate();
        benchmark::DoNotOptimize(scene.query());
    }
    setKnotCounters(state, totalKnots(road, n, K));
}

void BM_RibsRebuild(benchmark::State& state) { benchmarkRebuild(state, Road::Ribs); }
void BM_LinksRebuild(benchmark::State& state) { benchmarkRebuild(state, Road::Links); }

void BM_CacheCheck(benchmark::State& state) {
    BenchScene scene(Road::Links, 10, 100);
    scene.query();
    for (auto _ : state) benchmark::DoNotOptimize(scene.firstCurveClosed());
}

}  // namespace

BENCHMARK(BM_RibsRebuild)->ArgsProduct({{10, 100}, {100, 500, 2000}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinksRebuild)->ArgsProduct({{10, 100}, {100, 500, 2000}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CacheCheck);
