#include "bench_summary.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

double counterValue(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    auto counter = run.counters.find(name);
    return counter == run.counters.end() ? 0.0 : counter->second.value;
}

// What the whole program aims for, reported beside the figures and never
// enforced: a benchmark on a shared machine is no test.
const char* const kRatioScene = "100/2000";  // on the links road
double ratioTarget(const std::string& output) { return output == "summary" ? 2.5 : 4.0; }
struct PeakTarget {
    const char* road;
    const char* output;
    const char* args;
    double megabytes;
};
const PeakTarget kPeakTargets[] = {{"links", "json", "100/2000", 250.0}, {"ribs", "json", "100/9998", 1.2 * 1024.0}};
const double kPerKnotSpreadTarget = 1.5;  // from kSmallestScene to kRatioScene, links road
const char* const kSmallestScene = "10/100";

const char* const kRoads[] = {"links", "ribs"};
const char* const kOutputs[] = {"summary", "json", "svg", "obj"};

std::string verdict(bool pass) { return pass ? "pass" : "FAIL"; }

std::string programName(const std::string& road, const std::string& output) {
    return "BM_Program/" + road + "/" + output;
}

// The targets that apply to one row and whether they hold; ratio < 0: no
// core rebuild ran beside it.
std::string programTargets(const std::string& road, const std::string& output, const std::string& args,
                           double ratio, double peakMB) {
    std::string targets;
    char text[64];
    if (road == "links" && args == kRatioScene) {
        std::snprintf(text, sizeof text, "ratio <= %.1f: %s", ratioTarget(output),
                      ratio < 0.0 ? "no core figure" : verdict(ratio <= ratioTarget(output)).c_str());
        targets = text;
    }
    for (const PeakTarget& peak : kPeakTargets) {
        if (road != peak.road || output != peak.output || args != peak.args) continue;
        std::snprintf(text, sizeof text, "peak <= %.0f MB: %s", peak.megabytes, verdict(peakMB <= peak.megabytes).c_str());
        targets += (targets.empty() ? "" : ", ") + std::string(text);
    }
    return targets;
}

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
        // A manual time is the CPU time of the child process the benchmark ran.
        double time = run.run_name.time_type == "manual_time" ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
        figure.seconds = time / benchmark::GetTimeUnitMultiplier(run.time_unit);
        figure.knots = counterValue(run, "knots");
        figure.peakMB = counterValue(run, "peak_MB");
        figure.cageKnots = counterValue(run, "cage_knots");
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

bool SummaryReporter::perKnotSpread(const std::string& function, Spread& spread, double fixedSeconds) const {
    auto rows = figures.find(function);
    if (rows == figures.end()) return false;
    spread = Spread();
    for (const auto& row : rows->second) {
        if (row.second.knots <= 0.0) continue;
        double perKnot = std::max(row.second.seconds - fixedSeconds, 0.0) / row.second.knots * 1e9;
        if (spread.fastest.empty() || perKnot < spread.low) { spread.low = perKnot; spread.fastest = row.first; }
        if (spread.slowest.empty() || perKnot > spread.high) { spread.high = perKnot; spread.slowest = row.first; }
    }
    return !spread.fastest.empty();
}

std::string SummaryReporter::Spread::text(double perKnot, const std::string& args) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f ns (%s)", perKnot, args.c_str());
    return text;
}

void SummaryReporter::printPerKnotSpread(const std::string& function) const {
    Spread spread;
    if (!perKnotSpread(function, spread)) return;
    std::printf("  %-20s %24s %24s %8.2f\n", function.c_str(), Spread::text(spread.low, spread.fastest).c_str(),
                Spread::text(spread.high, spread.slowest).c_str(), spread.high / spread.low);
}

void SummaryReporter::printProgramTable() const {
    bool any = false;
    for (const char* road : kRoads)
        for (const char* output : kOutputs) any = any || figures.count(programName(road, output)) > 0;
    if (!any) return;
    std::printf("\nWhole program: trellis build on generated scenes (CPU time and peak memory of the child "
                "process, MB of 2^20 bytes; ratio: over the core rebuild of the same cage in this run)\n"
                "  %-15s %-8s %12s %10s %7s %8s %12s %8s  %s\n",
                "scene", "output", "program", "core", "ratio", "peak MB", "output knots", "ns/knot", "target");
    std::vector<std::string> notes;
    for (const char* road : kRoads) {
        std::map<std::string, bool, ArgsOrder> sizes;
        for (const char* output : kOutputs) {
            auto rows = figures.find(programName(road, output));
            if (rows != figures.end())
                for (const auto& row : rows->second) sizes[row.first] = true;
        }
        for (const auto& size : sizes) {
            const Figure* core = find(std::string("BM_ProgramCore/") + road, size.first);
            for (const char* output : kOutputs) {
                const Figure* program = find(programName(road, output), size.first);
                if (program) printProgramRow(road, output, size.first, *program, core);
            }
            // Side by side only means something for one and the same cage.
            const Figure* summary = find(programName(road, "summary"), size.first);
            if (summary && core && core->cageKnots > 0.0 && summary->knots != core->cageKnots) {
                char note[160];
                std::snprintf(note, sizeof note, "  note: %s %s: the program's cage has %.0f knots, the core's %.0f",
                              road, size.first.c_str(), summary->knots, core->cageKnots);
                notes.push_back(note);
            }
        }
    }
    for (const std::string& note : notes) std::printf("%s\n", note.c_str());
}

void SummaryReporter::printProgramRow(const std::string& road, const std::string& output, const std::string& args,
                                      const Figure& program, const Figure* core) {
    char coreText[32] = "-", ratioText[32] = "-", perKnotText[32] = "-";
    double ratio = -1.0;
    if (core && core->seconds > 0.0) {
        ratio = program.seconds / core->seconds;
        std::snprintf(coreText, sizeof coreText, "%.1f ms", core->seconds * 1e3);
        std::snprintf(ratioText, sizeof ratioText, "%.1f", ratio);
    }
    if (program.knots > 0.0)
        std::snprintf(perKnotText, sizeof perKnotText, "%.1f", program.seconds / program.knots * 1e9);
    std::string scene = road + " " + args;
    std::printf("  %-15s %-8s %9.1f ms %10s %7s %8.1f %12.0f %8s  %s\n", scene.c_str(), output.c_str(),
                program.seconds * 1e3, coreText, ratioText, program.peakMB, program.knots, perKnotText,
                programTargets(road, output, args, ratio, program.peakMB).c_str());
}

void SummaryReporter::printProgramPerKnot() const {
    // Every run pays the start-up of a process before its first knot; on a
    // small scene that is most of the run. The spread without it is what
    // the program's own work per knot does over the sizes.
    const Figure* startup = find("BM_ProgramStartup", "0/0");
    bool header = false;
    for (const char* output : kOutputs) {
        Spread spread;
        std::string function = programName("links", output);
        if (!perKnotSpread(function, spread)) continue;
        if (!header) {
            std::printf("\nWhole program: time per output knot over the links sizes\n  %-8s %24s %24s %8s  %-26s %s\n",
                        "output", "lowest", "highest", "spread", "target", "without start-up");
            header = true;
        }
        double ratio = spread.high / spread.low;
        // The target spans the sizes from the smallest to the largest.
        bool spans = find(function, kSmallestScene) && find(function, kRatioScene);
        char target[64] = "-", net[96] = "-";
        if (spans)
            std::snprintf(target, sizeof target, "spread <= %.1f: %s", kPerKnotSpreadTarget,
                          verdict(ratio <= kPerKnotSpreadTarget).c_str());
        Spread withoutStartup;
        if (startup && perKnotSpread(function, withoutStartup, startup->seconds) && withoutStartup.low > 0.0) {
            double netRatio = withoutStartup.high / withoutStartup.low;
            std::string judged = spans ? ": " + verdict(netRatio <= kPerKnotSpreadTarget) : "";
            std::snprintf(net, sizeof net, "%.1f to %.1f ns, spread %.2f%s", withoutStartup.low, withoutStartup.high,
                          netRatio, judged.c_str());
        }
        std::printf("  %-8s %24s %24s %8.2f  %-26s %s\n", output, Spread::text(spread.low, spread.fastest).c_str(),
                    Spread::text(spread.high, spread.slowest).c_str(), ratio, target, net);
    }
}

void SummaryReporter::printProgramStartup() const {
    const Figure* startup = find("BM_ProgramStartup", "0/0");
    if (!startup) return;
    std::printf("\nWhole program: start-up (a trellis object without sections): %.1f ms, peak %.1f MB\n",
                startup->seconds * 1e3, startup->peakMB);
    const Figure* smallest = find(programName("links", "summary"), kSmallestScene);
    if (smallest && smallest->knots > 0.0)
        std::printf("  that alone is %.1f ns per output knot at links %s\n", startup->seconds / smallest->knots * 1e9,
                    kSmallestScene);
}

void SummaryReporter::printSummary() const {
    // CPU time: on a shared machine it moves far less than real time, and
    // every benchmark here runs on one thread.
    std::printf("\nSummary: CPU time of one build%s\n", figures.empty() ? " (nothing ran)" : "");
    printRatios("Oracle against the fast links road (ratio: how many times faster the fast road is)",
                "BM_LinksRoadOracle", "BM_LinksRoad");
    printRatios("Whole links rebuild against the sampling floor", "BM_LinksRebuild", "BM_SamplingFloor");
    printRatios("Links road alone against the sampling floor", "BM_LinksRoad", "BM_SamplingFloor");
    const char* const spreads[] = {"BM_RibsRebuild", "BM_LinksRebuild", "BM_LinksRoad", "BM_SamplingFloor"};
    if (std::any_of(std::begin(spreads), std::end(spreads), [this](const char* f) { return figures.count(f) > 0; }))
        std::printf("\nTime per knot over the sizes\n  %-20s %24s %24s %8s\n", "benchmark", "lowest", "highest",
                    "spread");
    for (const char* function : spreads) printPerKnotSpread(function);
    printProgramTable();
    printProgramPerKnot();
    printProgramStartup();
    std::fflush(stdout);
}
