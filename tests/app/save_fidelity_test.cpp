// What `trellis edit --save` keeps: the scene as it was written but for the
// fields the edit changed, numbers that read back as the same values, and
// the integer "SplineType" exact over the whole int range.
#include <cfloat>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "app/scene/scene_file.h"
#include "support/app_test_support.h"

namespace {

const char* const CIRCLES = R"(
    {"name": "A", "shape": {"circle": {"radius": 10}}},
    {"name": "B", "position": [0, 0, 10], "shape": {"circle": {"radius": 5}}})";

// Keys in no particular order, fields of other tools and the node fields a
// trellis entry may carry; "Other" has an extra field too.
const std::string SCENE = std::string(R"({
  "tool": {"version": 3, "big": 18446744073709551615},
  "nodes": [)") + CIRCLES + R"(],
  "trellis": [
    {"sections": ["A"], "name": "T", "mine": {"a": [1, 2.5]}, "hidden": false, "rotation": [0, 0, 90],
     "scale": [1, 1, 1], "pivot": {"position": [0, 0, 0]}, "keys": [{"time": 0, "position": [5, 0, 0]}],
     "splineType": 2147483647, "position": [3.4028234663852886e38, 0.1, 0]},
    {"name": "Other", "extra": "data", "splineType": 16777217, "sections": ["A", "B"]}
  ]
})";

nlohmann::ordered_json ordered(const std::string& text) { return nlohmann::ordered_json::parse(text); }

// Runs the built program's edit with --save and gives the saved document.
nlohmann::ordered_json savedAfter(const apptest::TempDir& dir, const std::string& scene,
                                  std::vector<std::string> clicks) {
    std::vector<std::string> args{"edit", dir.write("scene.json", scene)};
    args.insert(args.end(), clicks.begin(), clicks.end());
    args.insert(args.end(), {"--save", dir.path("saved.json")});
    apptest::RunResult run = apptest::runBinary(dir, args);
    EXPECT_EQ(run.status, EXIT_OK) << run.err;
    EXPECT_EQ(run.err, "");
    return dir.exists("saved.json") ? ordered(dir.read("saved.json")) : nlohmann::ordered_json();
}

TEST(SaveKeeps, TheEditedEntryButItsNewSections) {
    apptest::TempDir dir;
    nlohmann::ordered_json expected = ordered(SCENE);
    expected["trellis"][0]["sections"] = {"A", "B"};
    // Compared as ordered documents: the order of every object's keys counts.
    EXPECT_EQ(savedAfter(dir, SCENE, {"--object", "T", "--add", "B"}), expected);
}

TEST(SaveKeeps, AChangedSplineTypeInItsPlace) {
    apptest::TempDir dir;
    std::string scene = std::string(R"({"nodes": [)") + CIRCLES + R"(], "trellis": [
        {"splineType": "Smooth", "name": "T", "x": 1},
        {"name": "U", "sections": ["A", null]}]})";
    nlohmann::ordered_json expected = ordered(scene);
    expected["trellis"][0]["splineType"] = 2;
    EXPECT_EQ(savedAfter(dir, scene, {"--object", "T", "--type", "Bezier"}), expected);

    // A field the entry lacked comes after its own; the empty last slot stays.
    expected = ordered(scene);
    expected["trellis"][1]["splineType"] = 3;
    EXPECT_EQ(savedAfter(dir, scene, {"--object", "U", "--type", "3"}), expected);
}

// The value set again, or the list reordered into itself: nothing changed,
// so nothing is rewritten, the name "Smooth" and the keys as written included.
TEST(SaveKeeps, EverythingWhenTheClicksChangeNothing) {
    apptest::TempDir dir;
    std::string scene = std::string(R"({"nodes": [)") + CIRCLES + R"(], "trellis": [
        {"name": "T", "splineType": "Smooth", "sections": ["A", "B"]},
        {"name": "K", "splineType": {"keys": [[4800, "Bezier"], [0, 1.5]]}}]})";
    EXPECT_EQ(savedAfter(dir, scene, {"--object", "T", "--type", "smooth", "--up", "0"}), ordered(scene));
    EXPECT_EQ(savedAfter(dir, scene, {"--object", "K", "--help-page"}), ordered(scene));
}

// Keyed values the edit writes anew: each reads back as the float the
// object held, the largest float (shortest text 3.4028235e+38) included.
TEST(SaveWrites, NumbersThatReadBackAsTheSameFloats) {
    apptest::TempDir dir;
    std::string scene = std::string(R"({"nodes": [)") + CIRCLES + R"(], "trellis": [
        {"name": "T", "sections": ["A", "B"], "splineType": {"keys": [[0, 1], [10, 0.1], [20, 1e-45],
         [30, -3.4028234663852886e38], [40, 3.4028234663852886e38], [50, 16777217]]}}]})";
    nlohmann::ordered_json saved = savedAfter(dir, scene, {"--object", "T", "--type", "2"});
    std::vector<std::pair<TimeValue, float>> expected = parseScene(scene).trellis[0].splineType.keys;
    expected[0].second = 2.0f;
    EXPECT_EQ(parseScene(saved.dump()).trellis[0].splineType.keys, expected);
    // Whole values stay integers in the text.
    for (std::size_t key : {0u, 5u}) EXPECT_TRUE(saved["trellis"][0]["splineType"]["keys"][key][1].is_number_integer());

    apptest::RunResult built = apptest::runBinary(dir, {"build", dir.path("saved.json")});
    EXPECT_EQ(built.status, EXIT_OK) << built.err;
}

// The block held the value as a float: 16777217 came back as 16777216 and
// 2147483647 as -2147483648.
TEST(SplineTypeInteger, KeepsEveryIntExactly) {
    apptest::TempDir dir;
    std::string scene = R"({"trellis": [{"name": "A", "splineType": 2147483647}, {"name": "B", "splineType": 16777217},
        {"name": "C", "splineType": -2147483648}, {"name": "D", "splineType": -16777217}]})";
    apptest::RunResult built = apptest::runBinary(dir, {"build", dir.write("scene.json", scene), "--json", "-"});
    ASSERT_EQ(built.status, EXIT_OK) << built.err;
    nlohmann::json objects = nlohmann::json::parse(built.out)["objects"];
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(objects[0]["splineType"], 2147483647);
    EXPECT_EQ(objects[1]["splineType"], 16777217);
    EXPECT_EQ(objects[2]["splineType"], -2147483648LL);
    EXPECT_EQ(objects[3]["splineType"], -16777217);
}

struct FloatText {
    const char* name;
    const char* text;
    float expected;   // when refused, unused
    bool refused;
};
void PrintTo(const FloatText& c, std::ostream* os) { *os << c.text; }

// A decimal that rounds to a finite float reads as that float; from
// 2^128 - 2^103 on a number rounds to infinity and is refused. The halfway
// point is a double itself, so only the text tells the two just below it
// (the largest float) from the halfway point (infinity).
class FloatReading : public ::testing::TestWithParam<FloatText> {};

TEST_P(FloatReading, DecimalRoundingToAFiniteFloatIsThatFloat) {
    std::string scene = std::string(R"({"trellis": [{"name": "T", "position": [)") + GetParam().text + ", 0, 0]}]}";
    if (GetParam().refused) {
        EXPECT_THROW(parseScene(scene), SceneError);
        return;
    }
    EXPECT_EQ(parseScene(scene).trellis[0].position.x, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    NearTheTop, FloatReading,
    ::testing::Values(FloatText{"LargestFloatExactly", "3.4028234663852886e38", FLT_MAX, false},
                      FloatText{"LargestFloatShortest", "3.4028235e+38", FLT_MAX, false},
                      FloatText{"NegativeShortest", "-3.4028235e38", -FLT_MAX, false},
                      FloatText{"JustBelowHalfway", "340282356779733661637539395458142568447", FLT_MAX, false},
                      FloatText{"JustBelowHalfwayNegative", "-340282356779733661637539395458142568447.9", -FLT_MAX,
                                false},
                      FloatText{"Halfway", "340282356779733661637539395458142568448", 0.0f, true},
                      FloatText{"AboveHalfway", "3.40282357e38", 0.0f, true},
                      FloatText{"BeyondFloats", "1e39", 0.0f, true}),
    [](const ::testing::TestParamInfo<FloatText>& p) { return std::string(p.param.name); });

}  // namespace
