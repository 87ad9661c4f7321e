// Runs the benchmarks with the console reporter, then prints the figures
// that the benchmarks exist for: the oracle against the fast road, the whole
// links rebuild against the sampling floor, and the spread of time per knot
// over the sizes.
#include <benchmark/benchmark.h>
#include "bench_summary.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
