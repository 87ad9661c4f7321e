// The links road on gathered copies (the point and link tables, then the
// chains), the fast builder beside the straightforward oracle, and the
// sampling floor: the curve measurements that the road cannot avoid.
#include <benchmark/benchmark.h>
#include "bench_counters.h"
#include "bench_scene.h"
#include "support/oracle_links.h"
#include "builder/fraction_walk.h"
#include "builder/link_chains.h"
#include "builder/link_sections.h"

namespace {

const int kChainStyle = KTYPE_AUTO;

// Runs one links road per iteration on the same copies; the chains of the
// previous iteration are released outside the timed part.
template <class RunRoad>
void benchmarkLinksRoad(benchmark::State& state, RunRoad runRoad) {
    int n = static_cast<int>(state.range(0)), K = static_cast<int>(state.range(1));
    BezierShape copies = gatheredCopies(Road::Links, n, K);
    Tab<Point3> points;
    Tab<CageLink> links;
    BezierShape chains;
    for (auto _ : state) {
        state.PauseTiming();
        chains.NewShape();
        state.ResumeTiming();
        runRoad(copies, n, points, links, chains);
        benchmark::DoNotOptimize(chains);
        benchmark::ClobberMemory();
    }
    setKnotCounters(state, totalKnots(Road::Links, n, K));
}

void BM_LinksRoad(benchmark::State& state) {
    benchmarkLinksRoad(state, [](const BezierShape& copies, int n, Tab<Point3>& points, Tab<CageLink>& links,
                                 BezierShape& chains) {
        Tab<TrellisPairJoin> joins;
        linkCopies(copies, n, points, links, joins);
        zfree(joins);
        walkChains(links, points, chains, kChainStyle);
    });
}

void BM_LinksRoadOracle(benchmark::State& state) {
    benchmarkLinksRoad(state, [](const BezierShape& copies, int n, Tab<Point3>& points, Tab<CageLink>& links,
                                 BezierShape& chains) {
        oracleLinkSections(copies, n, points, links);
        oracleWalkChains(links, points, chains, kChainStyle);
    });
}

// Twenty curve evaluations per segment and one length query per copy:
// buildFractionTable once on every copy.
void BM_SamplingFloor(benchmark::State& state) {
    int n = static_cast<int>(state.range(0)), K = static_cast<int>(state.range(1));
    BezierShape copies = gatheredCopies(Road::Links, n, K);
    Tab<float> fractions;
    for (auto _ : state) {
        for (int s = 0; s < n; ++s) {
            fractions.ZeroCount();
            buildFractionTable(*copies.GetSpline(s), fractions);
            benchmark::DoNotOptimize(fractions[fractions.Count() - 1]);
        }
    }
    setKnotCounters(state, totalKnots(Road::Links, n, K));
}

}  // namespace

BENCHMARK(BM_LinksRoad)->ArgsProduct({{10, 100}, {100, 500, 2000}})->Unit(benchmark::kMillisecond);
// The oracle is quadratic: only the sizes where it ends within seconds.
BENCHMARK(BM_LinksRoadOracle)
    ->Args({10, 100})->Args({10, 500})->Args({10, 2000})->Args({100, 100})->Args({100, 500})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SamplingFloor)->ArgsProduct({{10, 100}, {100, 500, 2000}})->Unit(benchmark::kMillisecond);
