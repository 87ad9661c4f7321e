// A console reporter that also keeps each benchmark's CPU time per build
// (the median when repetitions are asked for) and prints ratios at the end.
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
    void printPerKnotSpread(const std::string& function) const;
};
