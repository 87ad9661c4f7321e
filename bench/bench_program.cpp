// The whole trellis program on generated scene files: `trellis build` run as
// a child process (through the launcher, see bench_child.h) with the summary
// only, --json, --svg or --obj, timed by the child's CPU time (user + system,
// from wait4) as the benchmark's manual time, its peak resident memory beside
// it; and the core rebuild of the same cage in process, so that the summary
// can put the two side by side.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>
#include "bench_child.h"
#include "bench_counters.h"
#include "bench_scene.h"
#include "bench_scene_file.h"

namespace {

namespace fs = std::filesystem;

enum class Output { Summary, Json, Svg, Obj };

const char* roadName(Road road) { return road == Road::Links ? "links" : "ribs"; }

const char* outputName(Output output) {
    switch (output) {
    case Output::Summary: return "summary";
    case Output::Json: return "json";
    case Output::Svg: return "svg";
    case Output::Obj: return "obj";
    }
    return "";
}

struct SceneFile {
    std::string path;
    std::string failure;  // set when the scene could not be written or the program refused it
    long outputKnots = 0;
};

// The temporary folder of one benchmark run: scene files, written once each
// and kept for the repetitions, and the program's outputs. Removed with
// everything in it when the benchmark program ends.
class Scratch {
public:
    static Scratch& get() {
        static Scratch scratch;
        return scratch;
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch() {
        if (folder.empty()) return;
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    std::string file(const std::string& name) const { return (fs::path(folder) / name).string(); }

    // Runs the program as a child of the launcher; its standard error goes
    // to the file "stderr" for a failure's message.
    ChildUsage measure(const std::vector<std::string>& argv, const std::string& stdoutPath) const {
        return measureChild(TRELLIS_BENCH_LAUNCHER, argv, stdoutPath, file("stderr"), file("usage"));
    }
    const std::string& failure() const { return madeFailure; }

    // The scene file, its cage checked and its output knots counted by one
    // untimed summary run of the program (which also brings the file into
    // the page cache).
    const SceneFile& scene(Road road, int n, int K) {
        auto key = std::make_tuple(road, n, K);
        auto found = scenes.find(key);
        if (found != scenes.end()) return found->second;
        SceneFile& scene = scenes[key];
        std::string stem = std::string(roadName(road)) + "-" + std::to_string(n) + "x" + std::to_string(K);
        scene.path = file(stem + ".json");
        if (!writeSceneFile(scene.path, road, n, K)) {
            scene.failure = "cannot write " + scene.path;
            return scene;
        }
        std::string summary = file(stem + ".summary");
        ChildUsage usage = measure({TRELLIS_PROGRAM, "build", scene.path}, summary);
        if (!usage.exitedZero) {
            scene.failure = usage.failure + ": " + firstLine(file("stderr"));
            return scene;
        }
        scene.outputKnots = summaryKnots(summary);
        return scene;
    }

    // The first line of a file, for a failure message.
    static std::string firstLine(const std::string& path) {
        std::ifstream in(path);
        std::string line;
        std::getline(in, line);
        return line;
    }

private:
    Scratch() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = (fs::path(tmp && *tmp ? tmp : "/tmp") / "trellis-bench-XXXXXX").string();
        std::string made = pattern;
        if (mkdtemp(made.data())) folder = made;
        else madeFailure = "cannot make a temporary folder " + pattern + ": " + std::strerror(errno);
    }

    // Sums "N knots" over the summary lines, one per object and time.
    static long summaryKnots(const std::string& path) {
        std::ifstream in(path);
        std::string line;
        long knots = 0;
        while (std::getline(in, line)) {
            // "Cage at time 0: 100 sections, 199 splines, 400202 knots"
            std::size_t end = line.rfind(" knots");
            if (end == std::string::npos || end == 0) continue;
            std::size_t start = line.rfind(' ', end - 1);
            if (start != std::string::npos) knots += std::strtol(line.c_str() + start + 1, nullptr, 10);
        }
        return knots;
    }

    std::string folder;
    std::string madeFailure;
    std::map<std::tuple<Road, int, int>, SceneFile> scenes;
};

void benchmarkProgram(benchmark::State& state, Road road, Output output) {
    int n = static_cast<int>(state.range(0)), K = static_cast<int>(state.range(1));
    Scratch& scratch = Scratch::get();
    if (!scratch.failure().empty()) {
        state.SkipWithError(scratch.failure().c_str());
        return;
    }
    const SceneFile& scene = scratch.scene(road, n, K);
    if (!scene.failure.empty()) {
        state.SkipWithError(scene.failure.c_str());
        return;
    }
    std::vector<std::string> argv{TRELLIS_PROGRAM, "build", scene.path};
    std::string outputPath;
    if (output != Output::Summary) {
        outputPath = scratch.file(std::string("out.") + outputName(output));
        argv.push_back(std::string("--") + outputName(output));
        argv.push_back(outputPath);
    }
    double peakMB = 0.0;
    std::error_code ignored;
    for (auto _ : state) {
        // Every run writes a new file rather than replacing the last one.
        if (!outputPath.empty()) fs::remove(outputPath, ignored);
        ChildUsage usage = scratch.measure(argv, "/dev/null");
        if (!usage.exitedZero) {
            state.SkipWithError((usage.failure + ": " + Scratch::firstLine(scratch.file("stderr"))).c_str());
            break;
        }
        state.SetIterationTime(usage.cpuSeconds);
        peakMB = std::max(peakMB, usage.peakMB);
    }
    if (!outputPath.empty()) fs::remove(outputPath, ignored);
    if (scene.outputKnots > 0) setKnotCounters(state, scene.outputKnots);
    state.counters["peak_MB"] = benchmark::Counter(peakMB);
}

// The rebuild of the program's cage through a host query, as BM_LinksRebuild
// and BM_RibsRebuild time it; cage_knots lets the summary check that the
// program built the same cage.
void benchmarkCore(benchmark::State& state, Road road) {
    int n = static_cast<int>(state.range(0)), K = static_cast<int>(state.range(1));
    BenchScene scene(road, n, K, Sections::CornerArcs);
    scene.query();
    for (auto _ : state) {
        scene.invalidate();
        benchmark::DoNotOptimize(scene.query());
    }
    setKnotCounters(state, totalKnots(road, n, K));
    state.counters["cage_knots"] = benchmark::Counter(static_cast<double>(scene.cageKnots()));
}

// Names such as BM_Program/links/json/100/2000, BM_ProgramCore/links/100/2000
// and BM_ProgramStartup: --benchmark_filter=Program selects them all,
// Program.*/ribs or ProgramCore a part.
int registerProgramBenchmarks() {
    const Output outputs[] = {Output::Summary, Output::Json, Output::Svg, Output::Obj};
    const std::vector<std::pair<Road, std::vector<int64_t>>> scenes{
        {Road::Links, {10, 100}}, {Road::Links, {100, 500}}, {Road::Links, {100, 2000}}, {Road::Ribs, {100, 2000}}};
    for (Road road : {Road::Links, Road::Ribs})
        for (Output output : outputs) {
            std::string name = std::string("BM_Program/") + roadName(road) + "/" + outputName(output);
            auto* benchmark = benchmark::RegisterBenchmark(name.c_str(), benchmarkProgram, road, output);
            benchmark->UseManualTime()->Unit(benchmark::kMillisecond);
            for (const auto& scene : scenes)
                if (scene.first == road) benchmark->Args(scene.second);
        }
    // Just inside the scene knot limit (1,000,000) and the limit of what one
    // run's cages draw on: the peak memory of the largest scene allowed. A
    // peak does not vary from run to run, and one run takes seconds.
    benchmark::RegisterBenchmark("BM_Program/ribs/json", benchmarkProgram, Road::Ribs, Output::Json)
        ->Args({100, 9998})->Iterations(1)->Repetitions(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    // What every run pays before it reads a knot (starting, loading the
    // plug-in, writing the summary): a trellis object with no sections.
    benchmark::RegisterBenchmark("BM_ProgramStartup", benchmarkProgram, Road::Links, Output::Summary)
        ->Args({0, 0})->UseManualTime()->Unit(benchmark::kMillisecond);
    for (Road road : {Road::Links, Road::Ribs}) {
        std::string name = std::string("BM_ProgramCore/") + roadName(road);
        auto* benchmark = benchmark::RegisterBenchmark(name.c_str(), benchmarkCore, road);
        benchmark->Unit(benchmark::kMillisecond);
        for (const auto& scene : scenes)
            if (scene.first == road) benchmark->Args(scene.second);
    }
    return 0;
}

const int registered = registerProgramBenchmarks();

}  // namespace
