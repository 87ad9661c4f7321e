// The join report: how each pair of sections was joined, and the knots the
// arc-length walk left without a link, named by section and knot.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "support/app_test_support.h"

namespace {

// An open section of corner knots along X at height z: straight segments,
// so a knot's fraction of the length is its x over the last x.
std::string openRow(const std::string& name, const std::vector<int>& xs, int z) {
    std::string knots;
    for (int x : xs) knots += std::string(knots.empty() ? "" : ", ") + "{\"point\": [" + std::to_string(x) + ", 0, 0]}";
    return "{\"name\": \"" + name + "\", \"position\": [0, 0, " + std::to_string(z) +
           "], \"shape\": {\"splines\": [{\"knots\": [" + knots + "]}]}}";
}

std::string sceneOf(const std::vector<std::string>& nodes, const std::vector<std::string>& sections) {
    std::string nodeList, sectionList;
    for (const std::string& node : nodes) nodeList += (nodeList.empty() ? "" : ", ") + node;
    for (const std::string& name : sections) sectionList += (sectionList.empty() ? "\"" : ", \"") + name + "\"";
    return "{\"nodes\": [" + nodeList + "], \"trellis\": [{\"name\": \"Cage\", \"sections\": [" + sectionList + "]}]}";
}

// The report of the scene's one object, read from the JSON document.
nlohmann::json reportOf(const std::string& sceneText) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", sceneText);
    apptest::RunResult run = apptest::runInProcess({"build", scene, "--report", "--json", "-"});
    EXPECT_EQ(run.status, EXIT_OK) << run.err;
    return nlohmann::json::parse(run.out).at("objects").at(0).at("report");
}

nlohmann::json unlinked(const std::string& section, int index, int knot) {
    return {{"section", section}, {"index", index}, {"knot", knot}};
}

// Fractions 0, 0.9, 0.95, 1 beside 0, 0.2, 0.4, 0.6, 0.8, 1: the walk pairs
// the longer row's knots with the shorter's 0, 0, 0, 1, 1, 2, so the
// shorter row's last knot gets no link.
const std::vector<int> SHORT_ROW{0, 90, 95, 100};
const std::vector<int> LONG_ROW{0, 20, 40, 60, 80, 100};

TEST(JoinReport, NamesTheKnotTheArcLengthWalkSkipped) {
    nlohmann::json report = reportOf(sceneOf({openRow("Short", SHORT_ROW, 0), openRow("Long", LONG_ROW, 10)},
                                             {"Short", "Long"}));
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].at("from"), 0);
    EXPECT_EQ(report[0].at("to"), 1);
    EXPECT_EQ(report[0].at("fromSection"), "Short");
    EXPECT_EQ(report[0].at("toSection"), "Long");
    EXPECT_EQ(report[0].at("join"), "by arc length");
    EXPECT_EQ(report[0].at("links"), 6);
    EXPECT_EQ(report[0].at("unlinked"), nlohmann::json::array({unlinked("Short", 0, 3)}));
}

TEST(JoinReport, SkippedKnotOfTheSecondSectionIsNamedToo) {
    nlohmann::json report = reportOf(sceneOf({openRow("Long", LONG_ROW, 0), openRow("Short", SHORT_ROW, 10)},
                                             {"Long", "Short"}));
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].at("unlinked"), nlohmann::json::array({unlinked("Short", 1, 3)}));
}

// The second section's first knot lies on the first section's first knot,
// so its link end carries the first section's index; the knot is linked all the same.
TEST(JoinReport, LinkEndSharedWithAnEarlierSectionCountsForTheKnotAtThatPoint) {
    std::string slanted = R"({"name": "Slant", "shape": {"splines": [{"knots": [
        {"point": [0, 0, 0]}, {"point": [20, 0, 10]}]}]}})";
    nlohmann::json report = reportOf(sceneOf({openRow("Flat", {0, 10, 20}, 0), slanted}, {"Flat", "Slant"}));
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].at("links"), 3);
    EXPECT_EQ(report[0].at("unlinked"), nlohmann::json::array());
}

TEST(JoinReport, MatchingSectionsAreJoinedByRibsWithoutGaps) {
    std::string rings = R"({"nodes": [
        {"name": "Low", "shape": {"star": {"radius1": 10, "radius2": 5, "points": 5}}},
        {"name": "Mid", "position": [0, 0, 10], "shape": {"star": {"radius1": 8, "radius2": 4, "points": 5}}},
        {"name": "Top", "position": [0, 0, 20], "shape": {"star": {"radius1": 6, "radius2": 3, "points": 5}}}],
      "trellis": [{"name": "Cage", "sections": ["Low", "Mid", "Top"]}]})";
    nlohmann::json report = reportOf(rings);
    ASSERT_EQ(report.size(), 2u);
    for (const nlohmann::json& pair : report) {
        EXPECT_EQ(pair.at("join"), "ribs");
        EXPECT_EQ(pair.at("links"), 10) << "one rib per knot";
        EXPECT_EQ(pair.at("unlinked"), nlohmann::json::array());
    }
    EXPECT_EQ(report[1].at("fromSection"), "Mid");
}

// Sections of four knots: the circle closed, the row open. The build takes
// the links road because a third section differs.
TEST(JoinReport, EqualCountsOfDifferentClosureGetTheClosingLink) {
    std::string circle = R"({"name": "Ring", "shape": {"circle": {"radius": 10}}})";
    nlohmann::json report = reportOf(sceneOf(
        {circle, openRow("Row", {0, 10, 20, 30}, 10), openRow("Tip", {0, 30}, 20)}, {"Ring", "Row", "Tip"}));
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0].at("join"), "knot by knot plus the closing link");
    EXPECT_EQ(report[0].at("links"), 5);
    EXPECT_EQ(report[1].at("join"), "by arc length");
    EXPECT_EQ(report[1].at("links"), 4);
    EXPECT_EQ(report[1].at("unlinked"), nlohmann::json::array()) << "both ends of the tip are reached";
}

// A section without a spline ends the build before any link is made; the
// link tables then describe no pair of this cage.
TEST(JoinReport, BuildEndedBeforeJoiningIsSaid) {
    std::string empty = R"({"name": "Empty", "shape": {"splines": []}})";
    nlohmann::json report = reportOf(sceneOf(
        {openRow("A", {0, 10, 20, 30}, 0), openRow("B", {0, 10, 20}, 10), empty}, {"A", "B", "Empty"}));
    ASSERT_EQ(report.size(), 2u);
    for (const nlohmann::json& pair : report) {
        EXPECT_EQ(pair.at("join"), "not joined");
        EXPECT_EQ(pair.at("links"), 0);
    }
}

// Regression: with a single pair, the report used to guess from the tables
// and call the pair "none", listing the first section's knots as unlinked,
// although no link was ever looked for.
TEST(JoinReport, BuildEndedAtTheSecondSectionIsNotJoinedEither) {
    std::string empty = R"({"name": "Empty", "shape": {"splines": []}})";
    nlohmann::json report = reportOf(sceneOf({openRow("A", {0, 10, 20, 30}, 0), empty}, {"A", "Empty"}));
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].at("join"), "not joined");
    EXPECT_EQ(report[0].at("unlinked"), nlohmann::json::array());
}

TEST(JoinReport, PrintedAfterTheSummaryNamingSectionsAndKnots) {
    apptest::TempDir dir;
    std::string scene = dir.write(
        "scene.json", sceneOf({openRow("Short", SHORT_ROW, 0), openRow("Long", LONG_ROW, 10)}, {"Short", "Long"}));
    apptest::RunResult run = apptest::runInProcess({"build", scene, "--report"});
    ASSERT_EQ(run.status, EXIT_OK) << run.err;
    EXPECT_EQ(run.out.rfind("Cage at time 0: 2 sections, ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("  0 \"Short\" -> 1 \"Long\": by arc length, 6 links\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("    no link at 0 \"Short\": knot 3\n"), std::string::npos) << run.out;
}

}  // namespace
