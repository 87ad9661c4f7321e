#include "bench_summary.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

std::vector<long> numbersOf(const std::string& args) {
    std::vector<long> numbers;
    const char* p = args.c_str();
    while (*p) {
        char* end = nullptr;
        numbers.push_back(std::strtol(p, &end, 10));
        p = *end ? end + 1 : end;
    }
    return numbers;
}

}  // namespace

bool SummaryReporter::ArgsOrder::operator()(const std::string& a, const std::string& b) const {
    return numbersOf(a) < numbersOf(b);
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median) continue;
        Figure& figure = figures[run.run_name.function_name][run.run_name.args];
        if (figure.fromMedian && !median) continue;
        figure.seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        auto knots = run.counters.find("knots");
        figure.knots = knots == run.counters.end() ? 0.0 : knots->second.value;
        figure.fromMedian = median;
    }
}

const SummaryReporter::Figure* SummaryReporter::find(const std::string& function, const std::string& args) const {
    auto byFunction = figures.find(function);
    if (byFunction == figures.end()) return nullptr;
    auto figure = byFunction->second.find(args);
    return figure == byFunction->second.end() ? nullptr : &figure->second;
}

void SummaryReporter::printRatios(const char* title, const std::string& numerator,
                                  const std::string& denominator) const {
    auto rows = figures.find(numerator);
    if (rows == figures.end()) return;
    std::printf("\n%s\n  %-16s %14s %14s %10s\n", title, "sections/knots", numerator.c_str(), denominator.c_str(),
                "ratio");
    for (const auto& row : rows->second) {
        const Figure* other = find(denominator, row.first);
        if (!other) continue;
        std::printf("  %-16s %11.3f ms %11.3f ms %10.2f\n", row.first.c_str(), row.second.seconds * 1e3,
                    other->seconds * 1e3, row.second.seconds / other->seconds);
    }
}

void SummaryReporter::printPerKnotSpread(const std::string& function) const {
    auto rows = figures.find(function);
    if (rows == figures.end()) return;
    std::string fastest, slowest;
    double low = 0.0, high = 0.0;
    for (const auto& row : rows->second) {
        if (row.second.knots <= 0.0) continue;
        double perKnot = row.second.seconds / row.second.knots * 1e9;
        if (fastest.empty() || perKnot < low) { low = perKnot; fastest = row.first; }
        if (slowest.empty() || perKnot > high) { high = perKnot; slowest = row.first; }
    }
    if (fastest.empty()) return;
    std::printf("  %-20s %9.1f ns (%s) %9.1f ns (%s) %8.2f\n", function.c_str(), low, fastest.c_str(), high,
                slowest.c_str(), high / low);
}

void SummaryReporter::printSummary() const {
    // CPU time: on a shared machine it moves far less than real time, and
    // every benchmark here runs on one thread.
    std::printf("\nSummary: CPU time of one build%s\n", figures.empty() ? " (nothing ran)" : "");
    printRatios("Oracle against the fast links road (ratio: how many times faster the fast road is)",
                "BM_LinksRoadOracle", "BM_LinksRoad");
    printRatios("Whole links rebuild against the sampling floor", "BM_LinksRebuild", "BM_SamplingFloor");
    printRatios("Links road alone against the sampling floor", "BM_LinksRoad", "BM_SamplingFloor");
    std::printf("\nTime per knot over the sizes\n  %-20s %24s %24s %8s\n", "benchmark", "lowest", "highest",
                "spread");
    for (const char* function : {"BM_RibsRebuild", "BM_LinksRebuild", "BM_LinksRoad", "BM_SamplingFloor"})
        printPerKnotSpread(function);
    std::fflush(stdout);
}
