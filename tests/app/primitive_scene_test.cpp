// Parametric shapes in scene files: what a good entry gives, and a one-line
// complaint naming the field for each bad parameter.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "app/scene/scene_file.h"
#include "support/app_test_support.h"
#include "simpshp.h"

namespace {

TEST(PrimitiveScene, ReadsConstantAndKeyedParameters) {
    SceneDesc scene = parseScene(R"({"nodes": [
      {"name": "S", "shape": {"star": {"radius1": 9, "radius2": {"keys": [[4800, 2], [0, 4]]}, "points": 6}}}]})");
    const NodeDesc& star = scene.nodes.at(0);
    ASSERT_EQ(star.kind, NodeObjectKind::Primitive);
    EXPECT_EQ(star.primitive.kind, PrimitiveKind::Star);
    ASSERT_EQ(star.primitive.params.size(), 3u);
    EXPECT_EQ(star.primitive.params[PB_STAR_RADIUS1].value, 9.0f);
    EXPECT_EQ(star.primitive.params[PB_STAR_POINTS].value, 6.0f);
    std::vector<std::pair<TimeValue, float>> keys{{0, 4.0f}, {4800, 2.0f}};
    EXPECT_EQ(star.primitive.params[PB_STAR_RADIUS2].keys, keys) << "keys sorted by time";
}

// Sections: a circle whose radius grows from 10 to 20 over a second, and a
// still one above it; "SplineType" switches from Linear to Smooth.
const char* const KEYED_SCENE = R"({"nodes": [
  {"name": "Grow", "shape": {"circle": {"radius": {"keys": [[0, 10], [4800, 20]]}}}},
  {"name": "Still", "position": [0, 0, 30], "shape": {"circle": {"radius": 10}}}],
  "trellis": [{"name": "Cage", "splineType": {"keys": [[0, 0], [4800, 1]]}, "sections": ["Grow", "Still"]}]})";

// Each time's cage is built at that time, although the object's cache
// stays valid forever under still nodes (a keyed parameter does not narrow it).
TEST(PrimitiveScene, KeyedParametersGiveEachTimeItsOwnCage) {
    apptest::TempDir dir;
    std::string scene = dir.write("keyed.json", KEYED_SCENE);
    apptest::RunResult run = apptest::runInProcess({"build", scene, "--time", "0", "--time", "4800", "--json", "-"});
    ASSERT_EQ(run.status, EXIT_OK) << run.err;
    nlohmann::json frames = nlohmann::json::parse(run.out).at("frames");
    const float radii[] = {10.0f, 20.0f};
    const int ribKnotTypes[] = {KTYPE_CORNER, KTYPE_AUTO};
    for (int f = 0; f < 2; ++f) {
        const nlohmann::json& cage = frames.at(f).at("objects").at(0);
        EXPECT_EQ(cage.at("splines").at(0).at("knots").at(0).at("point").at(0).get<float>(), radii[f]) << "frame " << f;
        EXPECT_EQ(cage.at("splines").at(2).at("knots").at(0).at("type").get<int>(), ribKnotTypes[f]) << "frame " << f;
        EXPECT_EQ(cage.at("valid"), nlohmann::json::array({TIME_NegInfinity, TIME_PosInfinity})) << "frame " << f;
    }
}

struct BadPrimitive {
    const char* name;
    const char* shape;
    const char* message;
};

const BadPrimitive BAD_PRIMITIVES[] = {
    {"NegativeRadius", R"({"circle": {"radius": -1}})", "shape.circle.radius: expected a number >= 0, got -1"},
    {"RadiusNotNumber", R"({"circle": {"radius": "big"}})", "shape.circle.radius: expected a number, got string"},
    {"RadiusBeyondFloat", R"({"ngon": {"radius": 1e39, "sides": 5}})",
     "shape.ngon.radius: number out of range for a float"},
    {"NegativeWidth", R"({"rectangle": {"length": 1, "width": -0.5}})", "shape.rectangle.width: expected a number >= 0"},
    {"LengthMissing", R"({"rectangle": {"width": 1}})", "shape.rectangle: missing required field \"length\""},
    {"TwoSides", R"({"ngon": {"radius": 1, "sides": 2}})", "shape.ngon.sides: expected an integer from 3 to 1000, got 2"},
    {"FractionalSides", R"({"ngon": {"radius": 1, "sides": 4.5}})", "shape.ngon.sides: expected an integer, got 4.5"},
    {"TooManyPoints", R"({"star": {"radius1": 1, "radius2": 2, "points": 1001}})",
     "shape.star.points: expected an integer from 3 to 1000, got 1001"},
    {"KeyedPointsTooFew", R"({"star": {"radius1": 1, "radius2": 2, "points": {"keys": [[0, 5], [9, 2]]}}})",
     "shape.star.points.keys[1][1]: expected an integer from 3 to 1000, got 2"},
    {"KeyedRadiusNegative", R"({"circle": {"radius": {"keys": [[0, -3]]}}})",
     "shape.circle.radius.keys[0][1]: expected a number >= 0, got -3"},
    {"KeysAtOneTime", R"({"circle": {"radius": {"keys": [[0, 1], [0, 2]]}}})",
     "shape.circle.radius.keys[1][0]: two keys at time 0"},
    {"KeysEmpty", R"({"circle": {"radius": {"keys": []}}})", "shape.circle.radius.keys: expected at least one key"},
    {"MisspeltParameter", R"({"circle": {"raduis": 1}})", "shape.circle: unknown parameter \"raduis\""},
    {"ParamsNotObject", R"({"circle": 5})", "shape.circle: expected an object, got number"},
    {"TwoPrimitives", R"({"circle": {"radius": 1}, "ngon": {"radius": 1, "sides": 3}})",
     "shape: expected exactly one of"},
    {"PrimitiveAndSplines", R"({"circle": {"radius": 1}, "splines": []})", "shape: expected exactly one of"},
};

class BadPrimitiveScene : public ::testing::TestWithParam<BadPrimitive> {};

TEST_P(BadPrimitiveScene, FailsWithOneLineNamingTheField) {
    apptest::TempDir dir;
    std::string scene =
        dir.write("scene.json", std::string(R"({"nodes": [{"name": "A", "shape": )") + GetParam().shape + "}]}");
    apptest::RunResult run = apptest::runInProcess({"build", scene});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(run.err.rfind("trellis: error: " + scene + ": nodes[0]." + GetParam().message, 0), 0u) << run.err;
    EXPECT_EQ(apptest::countLines(run.err), 1) << run.err;
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Faults, BadPrimitiveScene, ::testing::ValuesIn(BAD_PRIMITIVES),
                         [](const ::testing::TestParamInfo<BadPrimitive>& c) { return std::string(c.param.name); });

}  // namespace
