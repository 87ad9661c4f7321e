// The built trellis binary as scripts use it: JSON on standard output or in
// a file, frames for several times, deletion before evaluation, and no
// output at all when the input is bad.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "support/app_test_support.h"

namespace {

const std::string SAMPLE = std::string(TRELLIS_SOURCE_DIR) + "/tests/data/app_two_rims.json";

nlohmann::json parseOutput(const apptest::RunResult& run) {
    return nlohmann::json::parse(run.out);  // throws, failing the test, unless stdout is exactly one document
}

int totalKnots(const nlohmann::json& object) {
    int knots = 0;
    for (const auto& spline : object["splines"]) knots += static_cast<int>(spline["knots"].size());
    return knots;
}

TEST(EndToEnd, JsonOnStandardOutputDescribesEachObject) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runBinary(dir, {"build", SAMPLE, "--json", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    nlohmann::json doc = parseOutput(run);
    EXPECT_EQ(doc["time"], 2400) << "the scene's own time is the default";
    ASSERT_EQ(doc["objects"].size(), 1u);
    const nlohmann::json& cage = doc["objects"][0];
    EXPECT_EQ(cage["name"], "Cage");
    EXPECT_EQ(cage["splineType"], 2);
    // Two matching closed sections of four knots: their two copies come first.
    ASSERT_GE(cage["splines"].size(), 2u);
    for (int s = 0; s < 2; ++s) {
        EXPECT_EQ(cage["splines"][s]["closed"], true);
        EXPECT_EQ(cage["splines"][s]["knots"].size(), 4u);
    }
    const nlohmann::json& knot = cage["splines"][0]["knots"][0];
    for (const char* field : {"type", "line", "point", "in", "out"}) EXPECT_TRUE(knot.contains(field)) << field;
    EXPECT_EQ(knot["point"].size(), 3u);
    // The animated second section limits the cache to the instant of evaluation.
    EXPECT_EQ(cage["valid"], nlohmann::json::array({2400, 2400}));
    EXPECT_TRUE(cage["cagePoints"].is_array());
    EXPECT_TRUE(cage["cageLinks"].is_array());
}

TEST(EndToEnd, SeveralTimesGiveFramesInTheOrderGiven) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runBinary(dir, {"build", SAMPLE, "--time", "4800", "--time", "0", "--json", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json doc = parseOutput(run);
    ASSERT_TRUE(doc.contains("frames"));
    ASSERT_EQ(doc["frames"].size(), 2u);
    EXPECT_EQ(doc["frames"][0]["time"], 4800);
    EXPECT_EQ(doc["frames"][1]["time"], 0);
    for (const auto& frame : doc["frames"]) EXPECT_EQ(frame["objects"].size(), 1u);
    // At and after the last key the section stands still: valid from that key on.
    EXPECT_EQ(doc["frames"][0]["objects"][0]["valid"], nlohmann::json::array({4800, 2147483647}));
}

// Deleting the node of slot 1 empties the slot in place; with no first
// section there is no frame to build in, so the cage is empty.
TEST(EndToEnd, DeletingTheFirstSectionEmptiesTheCage) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runBinary(dir, {"build", SAMPLE, "--delete", "Rim", "--json", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json cage = parseOutput(run)["objects"][0];
    EXPECT_TRUE(cage["splines"].empty());
    EXPECT_EQ(totalKnots(cage), 0);
    EXPECT_TRUE(cage["cagePoints"].empty());
}

TEST(EndToEnd, DeletingATrellisNodeDropsItsObject) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runBinary(dir, {"build", SAMPLE, "--delete", "Cage", "--json", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(parseOutput(run)["objects"].empty());
}

TEST(EndToEnd, JsonFileIsWrittenAndSummaryPrinted) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runBinary(dir, {"build", SAMPLE, "--json", dir.path("cage.json")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Cage at time 2400: 2 sections, ", 0), 0u) << run.out;
    nlohmann::json doc = nlohmann::json::parse(dir.read("cage.json"));
    EXPECT_EQ(doc["objects"][0]["name"], "Cage");
}

TEST(EndToEnd, BadSceneLeavesThePreviousOutputIntact) {
    apptest::TempDir dir;
    dir.write("cage.json", "previous");
    std::string scene = dir.write("bad.json", R"({"nodes": [{"name": "Rim"}, {"name": "Rim"}]})");
    apptest::RunResult run = apptest::runBinary(dir, {"build", scene, "--json", dir.path("cage.json")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "trellis: error: " + scene + ": nodes[1].name: duplicate node name \"Rim\"\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(dir.read("cage.json"), "previous");
}

TEST(EndToEnd, UnwritableOutputIsAnErrorNamingIt) {
    apptest::TempDir dir;
    std::string out = dir.path("missing/cage.json");
    apptest::RunResult run = apptest::runBinary(dir, {"build", SAMPLE, "--json", out});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("trellis: error: " + out + ": ", 0), 0u) << run.err;
    EXPECT_EQ(apptest::countLines(run.err), 1);
}

TEST(EndToEnd, OutputOverTheInputIsRefused) {
    apptest::TempDir dir;
    std::string scene = dir.write("s.json", R"({"trellis": [{"name": "C"}]})");
    apptest::RunResult run = apptest::runBinary(dir, {"build", scene, "--json", scene});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(dir.read("s.json"), R"({"trellis": [{"name": "C"}]})");
}

TEST(EndToEnd, UsageFaultExitsTwo) {
    apptest::TempDir dir;
    EXPECT_EQ(apptest::runBinary(dir, {"build", SAMPLE, "--frobnicate"}).status, 2);
}

}  // namespace
