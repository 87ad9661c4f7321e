// Counters shared by the benchmarks: the knots of the section copies that
// one build handles, as a rate and as time per knot.
#pragma once
#include <benchmark/benchmark.h>

inline void setKnotCounters(benchmark::State& state, long knots) {
    double k = static_cast<double>(knots);
    state.counters["knots"] = benchmark::Counter(k);
    state.counters["knots/s"] = benchmark::Counter(k, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["s/knot"] =
        benchmark::Counter(k, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
