// A console reporter that also keeps each benchmark's CPU time per build
// (the median when repetitions are asked for) and prints ratios at the end.
// For the whole-program benchmarks that CPU time is the child process's,
// their manual time, with its peak memory beside it.
#pragma once
#include <map>
#include <string>
#include <vector>
#include <benchmark/benchmark.h>

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void printSummary() const;

private:
    struct Figure {
        double seconds = 0.0;  // CPU time of one build
        double knots = 0.0;
        double peakMB = 0.0;     // the program's peak resident memory
        double cageKnots = 0.0;  // knots of the cage a core rebuild made
        bool fromMedian = false;
    };
    // Orders argument strings such as "10/2000" and "100/500" by their numbers.
    struct ArgsOrder {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    // Benchmark function -> arguments -> figure.
    std::map<std::string, std::map<std::string, Figure, ArgsOrder>> figures;

    const Figure* find(const std::string& function, const std::string& args) const;
    void printRatios(const char* title, const std::string& numerator, const std::string& denominator) const;
    // Time per knot at the fastest and the slowest arguments of a function.
    struct Spread {
        std::string fastest, slowest;
        double low = 0.0, high = 0.0;  // ns per knot
        static std::string text(double perKnot, const std::string& args);  // "12.3 ns (100/2000)"
    };
    // Time per knot over the sizes, less `fixedSeconds` of each run first.
    bool perKnotSpread(const std::string& function, Spread& spread, double fixedSeconds = 0.0) const;
    void printPerKnotSpread(const std::string& function) const;
    void printProgramTable() const;
    static void printProgramRow(const std::string& road, const std::string& output, const std::string& args,
                                const Figure& program, const Figure* core);
    void printProgramPerKnot() const;
    void printProgramStartup() const;
};
