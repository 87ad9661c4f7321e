// Scene files beyond the program's limits, and files that cannot be read:
// each is one line "trellis: error: FILE: ...", exit status 1 and no
// output, never a crash or a run out of memory.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>
#include "app/scene/limits.h"
#include "app/scene/scene_limits.h"
#include "support/app_test_support.h"

namespace {

struct Refusal {
    int status = -1;
    std::string message;  // what follows "trellis: error: FILE: "
};

Refusal buildScene(const apptest::TempDir& dir, const std::string& scenePath, std::vector<std::string> more = {}) {
    std::vector<std::string> args{"build", scenePath, "--json", dir.path("out.json")};
    args.insert(args.end(), more.begin(), more.end());
    apptest::RunResult run = apptest::runInProcess(args);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(dir.exists("out.json"));
    EXPECT_EQ(apptest::countLines(run.err), 1) << run.err;
    std::string prefix = "trellis: error: " + scenePath + ": ";
    EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << run.err;
    Refusal refusal{run.status, run.err.substr(std::min(prefix.size(), run.err.size()))};
    if (!refusal.message.empty()) refusal.message.pop_back();  // the newline
    return refusal;
}

Refusal buildText(const std::string& text, std::vector<std::string> more = {}) {
    apptest::TempDir dir;
    return buildScene(dir, dir.write("scene.json", text), more);
}

std::string repeated(const std::string& item, std::size_t count) {
    std::string list;
    for (std::size_t i = 0; i < count; ++i) list += (i ? "," : "") + item;
    return list;
}

std::string nodesNamed(std::size_t count) {
    std::string list;
    for (std::size_t i = 0; i < count; ++i) list += std::string(i ? "," : "") + R"({"name":"N)" + std::to_string(i) + "\"}";
    return list;
}

const char* const SQUARE = R"({"name": "Square", "shape": {"splines": [{"closed": true, "knots": [
    {"point": [0, 0, 0]}, {"point": [10, 0, 0]}, {"point": [10, 10, 0]}, {"point": [0, 10, 0]}]}]}})";

// Trellis objects T0 .. T(n-1), each taking the one before (T0 the square) as its only section.
std::string chainOfTrellisObjects(int length) {
    std::string trellis;
    for (int i = 0; i < length; ++i) {
        std::string section = i == 0 ? "Square" : "T" + std::to_string(i - 1);
        trellis += std::string(i ? "," : "") + R"({"name": "T)" + std::to_string(i) + R"(", "sections": [")" + section + "\"]}";
    }
    return std::string(R"({"nodes": [)") + SQUARE + R"(], "trellis": [)" + trellis + "]}";
}

TEST(SceneLimits, TooManyNodesAreRefused) {
    Refusal r = buildText(R"({"nodes": [)" + nodesNamed(MAX_SCENE_NODES) + R"(], "trellis": [{"name": "T"}]})");
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "nodes: 100001 nodes and trellis objects, at most 100000");
}

TEST(SceneLimits, SplineWithTooManyKnotsIsRefused) {
    std::string knots = repeated(R"({"point":[0,0,0]})", MAX_CURVE_KNOTS + 1);
    Refusal r = buildText(R"({"nodes": [{"name": "A", "shape": {"splines": [{"knots": [)" + knots + "]}]}}]}");
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "nodes[0].shape.splines[0].knots: 100001 knots, at most 100000");
}

TEST(SceneLimits, TooManyTransformKeysAreRefused) {
    std::string keys;
    for (std::size_t i = 0; i <= MAX_ANIMATION_KEYS; ++i) keys += std::string(i ? "," : "") + R"({"time":)" + std::to_string(i) + "}";
    Refusal r = buildText(R"({"nodes": [{"name": "A", "keys": [)" + keys + "]}]}");
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "nodes[0].keys: 1001 keys, at most 1000");
}

TEST(SceneLimits, TooManySplineTypeKeysAreRefused) {
    std::string keys;
    for (std::size_t i = 0; i <= MAX_ANIMATION_KEYS; ++i) keys += std::string(i ? "," : "") + "[" + std::to_string(i) + ",1]";
    Refusal r = buildText(R"({"trellis": [{"name": "T", "splineType": {"keys": [)" + keys + "]}}]}");
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "trellis[0].splineType.keys: 1001 keys, at most 1000");
}

// Scene totals, counted as a reader counts them (the files would be tens of
// megabytes); once over, nothing more is kept.
std::string refusalOf(const SceneSizeCheck& sizes) {
    try {
        sizes.finish();
    } catch (const SceneError& e) {
        return e.what();
    }
    return "";
}

TEST(SceneLimits, SceneTotalsOfKnotsAndCurvesAreRefused) {
    SceneSizeCheck knots;
    knots.entry();
    for (std::size_t i = 0; i <= MAX_SCENE_KNOTS / MAX_CURVE_KNOTS; ++i) {
        EXPECT_EQ(knots.keepsKnot(MAX_CURVE_KNOTS - 1), i < MAX_SCENE_KNOTS / MAX_CURVE_KNOTS);
        knots.curve(MAX_CURVE_KNOTS, [i] { return "nodes[0].shape.polylines[" + std::to_string(i) + "].points"; });
    }
    EXPECT_FALSE(knots.keeping());
    EXPECT_FALSE(knots.keepsKnot(0));
    EXPECT_EQ(refusalOf(knots), "nodes[0].shape.polylines[10].points: more than 1000000 knots in the scene");

    SceneSizeCheck curves;
    curves.entry();
    curves.entry();
    for (std::size_t i = 0; i <= MAX_SCENE_CURVES; ++i)
        curves.curve(1, [i] { return "nodes[1].shape.splines[" + std::to_string(i) + "].knots"; });
    EXPECT_FALSE(curves.keeping());
    EXPECT_EQ(refusalOf(curves), "nodes[1].shape.splines[100000].knots: more than 100000 splines and polylines in the scene");
}

// The first refusal in the order a whole-scene check takes: the entry
// count, then the nodes, then the trellis objects' keys.
TEST(SceneLimits, RefusalsAreReportedInSceneOrder) {
    SceneSizeCheck sizes;
    sizes.splineTypeKeys(MAX_ANIMATION_KEYS + 1, "trellis[0].splineType.keys");
    sizes.transformKeys(MAX_ANIMATION_KEYS + 2, "nodes[3].keys");
    sizes.shapeParameterKeys(MAX_ANIMATION_KEYS + 3, "nodes[4].shape");
    EXPECT_EQ(refusalOf(sizes), "nodes[3].keys: 1002 keys, at most 1000");
    for (std::size_t i = 0; i <= MAX_SCENE_NODES; ++i) sizes.entry();
    EXPECT_EQ(refusalOf(sizes), "nodes: 100001 nodes and trellis objects, at most 100000");

    SceneSizeCheck fine;
    fine.transformKeys(MAX_ANIMATION_KEYS, "nodes[0].keys");
    fine.curve(MAX_CURVE_KNOTS, [] { return std::string("nodes[0].shape.splines[0].knots"); });
    EXPECT_TRUE(fine.keeping());
    EXPECT_EQ(refusalOf(fine), "");
}

// Regression: a trellis object offers its cage to the next as a polyline
// of 7 points per knot, so a chain of nine objects from a four-knot square
// grew to 23 million knots and 7 GB of memory (ten: past any machine's).
// The chain is now refused before anything is built.
TEST(SceneLimits, ChainOfTrellisObjectsMultiplyingKnotsIsRefused) {
    Refusal r = buildText(chainOfTrellisObjects(9));
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message.rfind("trellis[7]: the cages up to \"T7\" at 1 time draw on more than 1000000 section knots", 0), 0u)
        << r.message;
}

TEST(SceneLimits, ShortChainOfTrellisObjectsIsBuilt) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", chainOfTrellisObjects(4));
    apptest::RunResult run = apptest::runInProcess({"build", scene});
    EXPECT_EQ(run.status, EXIT_OK) << run.err;
    EXPECT_EQ(apptest::countLines(run.out), 4);
}

// Evaluation times multiply what the cages draw on.
TEST(SceneLimits, EvaluationSizeCountsEveryTime) {
    SceneDesc scene = parseScene(std::string(R"({"nodes": [)") + SQUARE + R"(], "trellis": [{"name": "T", "sections": [)" +
                                 repeated("\"Square\"", 100) + "]}]}");
    const std::size_t sizeAtOneTime = 1 + 100 * (1 + 4);
    EXPECT_NO_THROW(checkEvaluationSize(scene, MAX_EVALUATION_SIZE / sizeAtOneTime));
    EXPECT_THROW(checkEvaluationSize(scene, MAX_EVALUATION_SIZE / sizeAtOneTime + 1), SceneError);
}

// The panel's chooser evaluates the trellis objects it offers, so a scene
// over the limit is refused before the rollup opens.
TEST(EditLimits, SceneOverTheLimitIsRefusedBeforeTheRollupOpens) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", chainOfTrellisObjects(9));
    apptest::RunResult run = apptest::runInProcess({"edit", scene, "--object", "T0", "--save", dir.path("out.json")});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(run.err.rfind("trellis: error: " + scene + ": trellis[7]: the cages up to", 0), 0u) << run.err;
    EXPECT_FALSE(dir.exists("out.json"));
}

// Each T_i takes a 2000-knot star as its section and offers its cage as a
// 14001-point polyline; 72 of them are more than one cage may draw on.
TEST(EditLimits, AddedSectionsMayNotMakeTheCageOverTheLimit) {
    std::string trellis = R"({"name": "X"})";
    std::string names;
    for (int i = 0; i < 72; ++i) {
        std::string name = "T" + std::to_string(i);
        trellis += R"(, {"name": ")" + name + R"(", "sections": ["Star"]})";
        names += (i ? "," : "") + name;
    }
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", R"({"nodes": [{"name": "Star", "shape": {"star":
        {"radius1": 10, "radius2": 5, "points": 1000}}}], "trellis": [)" + trellis + "]}");
    apptest::RunResult cage = apptest::runInProcess({"edit", scene, "--object", "X", "--add", names, "--json", "-"});
    EXPECT_EQ(cage.status, EXIT_INPUT_ERROR);
    EXPECT_NE(cage.err.find("draw on more than 1000000 section knots"), std::string::npos) << cage.err;
    EXPECT_EQ(cage.out, "");

    // Saving is no evaluation; building the saved scene is refused the same way.
    apptest::RunResult save = apptest::runInProcess({"edit", scene, "--object", "X", "--add", names, "--save", dir.path("edited.json")});
    EXPECT_EQ(save.status, EXIT_OK) << save.err;
    Refusal build = buildScene(dir, dir.path("edited.json"));
    EXPECT_EQ(build.status, EXIT_INPUT_ERROR);
}

TEST(SceneFileLimits, FileLargerThanTheLimitIsRefusedUnread) {
    apptest::TempDir dir;
    std::string scene = dir.write("huge.json", "");
    ASSERT_EQ(::truncate(scene.c_str(), static_cast<off_t>(MAX_SCENE_FILE_BYTES + 1)), 0);
    Refusal r = buildScene(dir, scene);
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "scene file larger than 64 MiB (67108864 bytes), the limit");
}

// A device that never ends would otherwise be read until memory runs out.
TEST(SceneFileLimits, EndlessDeviceIsCutOffAtTheLimit) {
    apptest::TempDir dir;
    Refusal r = buildScene(dir, "/dev/zero");
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "scene file larger than 64 MiB (67108864 bytes), the limit");
}

// Reading this process's memory file fails at address 0 even for root.
TEST(SceneFileRead, ReadErrorIsReported) {
    apptest::TempDir dir;
    Refusal r = buildScene(dir, "/proc/self/mem");
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "cannot read: Input/output error");
}

TEST(SceneFileRead, PathThroughAFileIsReported) {
    apptest::TempDir dir;
    dir.write("scene.json", "{}");
    Refusal r = buildScene(dir, dir.path("scene.json/inner.json"));
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "cannot read: Not a directory");
}

TEST(SceneFileRead, UnreadableFileIsReported) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads files whatever their mode";
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", "{}");
    ASSERT_EQ(::chmod(scene.c_str(), 0), 0);
    Refusal r = buildScene(dir, scene);
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message, "cannot read: Permission denied");
}

TEST(SceneFileRead, EmptyFileIsInvalidJson) {
    Refusal r = buildText("");
    EXPECT_EQ(r.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(r.message.rfind("invalid JSON: ", 0), 0u) << r.message;
}

// The output is compared with the input by device and inode: a symbolic link is no way around it.
TEST(OutputOverInput, SymbolicLinkToTheSceneIsRefused) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", R"({"trellis": [{"name": "C"}]})");
    std::filesystem::create_symlink("scene.json", dir.path("link.json"));
    apptest::RunResult run = apptest::runInProcess({"build", scene, "--json", dir.path("link.json")});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(run.err, "trellis: error: " + dir.path("link.json") + ": refusing to overwrite the input scene file\n");
    EXPECT_EQ(dir.read("scene.json"), R"({"trellis": [{"name": "C"}]})");
}

}  // namespace
