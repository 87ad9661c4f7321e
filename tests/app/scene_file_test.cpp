// Scene files: what a good file describes, and a precise one-line complaint
// (file, place, fault, exit status 1, no output) for each kind of bad file.
#include <gtest/gtest.h>
#include "app/scene/scene_file.h"
#include "support/app_test_support.h"
#include "spline3d.h"

namespace {

const char* const GOOD_SCENE = R"({
  "time": 4800.0,
  "futureField": {"ignored": true},
  "nodes": [
    { "name": "Rim", "hidden": true, "rotation": [0, 0, 90],
      "pivot": {"position": [1, 2, 3]},
      "shape": { "splines": [ { "closed": true, "knots": [
        { "type": "Bezier Corner", "point": [1, 2, 3], "out": [4, 5, 6], "line": "LINE" },
        { "type": 0, "point": [7, 8, 9] },
        { "point": [0, 0, 1] } ] } ] } },
    { "name": "Waist", "keys": [ {"time": 4800, "position": [0, 0, 50]}, {"time": 0} ],
      "shape": { "polylines": [ { "points": [[0, 0, 0], [1, 0, 0]] } ] } },
    { "name": "Block", "mesh": {} },
    { "name": "Dummy" }
  ],
  "trellis": [
    { "name": "Outer", "splineType": {"keys": [[4800, "Bezier"], [0, 1.5]]}, "sections": ["Cage", "Rim"] },
    { "name": "Cage", "position": [10, 0, 0], "splineType": "bezier CORNER", "sections": ["Rim", null, "Waist"] },
    { "name": "Plain", "splineType": -7 }
  ]
})";

TEST(SceneFile, ReadsEveryPartOfAGoodScene) {
    SceneDesc scene = parseScene(GOOD_SCENE);
    EXPECT_EQ(scene.time, 4800);
    ASSERT_EQ(scene.nodes.size(), 4u);

    const NodeDesc& rim = scene.nodes[0];
    EXPECT_TRUE(rim.hidden);
    EXPECT_FALSE(rim.animated);
    EXPECT_EQ(rim.transform.front().rotation, Point3(0, 0, 90));
    ASSERT_TRUE(rim.pivot.has_value());
    EXPECT_EQ(rim.pivot->position, Point3(1, 2, 3));
    EXPECT_EQ(rim.pivot->scale, Point3(1, 1, 1));
    ASSERT_EQ(rim.kind, NodeObjectKind::Splines);
    const SplineDesc& spline = rim.splines.at(0);
    EXPECT_TRUE(spline.closed);
    ASSERT_EQ(spline.knots.size(), 3u);
    EXPECT_EQ(spline.knots[0].type, KTYPE_BEZIER_CORNER);
    EXPECT_EQ(spline.knots[0].line, LTYPE_LINE);
    EXPECT_EQ(spline.knots[0].inVec, Point3(1, 2, 3)) << "a missing handle lies on its knot";
    EXPECT_EQ(spline.knots[0].outVec, Point3(4, 5, 6));
    EXPECT_EQ(spline.knots[1].type, KTYPE_AUTO);
    EXPECT_EQ(spline.knots[2].type, KTYPE_CORNER) << "the default knot type";
    EXPECT_EQ(spline.knots[2].line, LTYPE_CURVE);

    const NodeDesc& waist = scene.nodes[1];
    EXPECT_TRUE(waist.animated);
    ASSERT_EQ(waist.transform.size(), 2u);
    EXPECT_EQ(waist.transform[0].time, 0) << "keys are sorted by time";
    EXPECT_EQ(waist.transform[1].position, Point3(0, 0, 50));
    ASSERT_EQ(waist.kind, NodeObjectKind::Polylines);
    EXPECT_FALSE(waist.polylines.at(0).closed);
    EXPECT_EQ(scene.nodes[2].kind, NodeObjectKind::Mesh);
    EXPECT_EQ(scene.nodes[3].kind, NodeObjectKind::None);
}

TEST(SceneFile, ReadsTrellisEntriesAndOrdersThemDependenciesFirst) {
    SceneDesc scene = parseScene(GOOD_SCENE);
    ASSERT_EQ(scene.trellis.size(), 3u);
    const TrellisDesc& outer = scene.trellis[0];
    std::vector<std::pair<TimeValue, float>> keys{{0, 1.5f}, {4800, 2.0f}};
    EXPECT_EQ(outer.splineType.keys, keys);
    const TrellisDesc& cage = scene.trellis[1];
    EXPECT_EQ(cage.position, Point3(10, 0, 0));
    EXPECT_EQ(cage.splineType.value, 3);
    EXPECT_TRUE(cage.splineType.keys.empty());
    ASSERT_EQ(cage.sections.size(), 3u);
    EXPECT_EQ(cage.sections[0], std::optional<std::string>("Rim"));
    EXPECT_FALSE(cage.sections[1].has_value());
    EXPECT_EQ(scene.trellis[2].splineType.value, -7) << "any integer passes to the object";
    EXPECT_TRUE(scene.trellis[2].sections.empty());
    // Outer takes Cage as a section, so Cage is evaluated first.
    EXPECT_EQ(scene.evaluationOrder, (std::vector<int>{1, 0, 2}));
}

struct BadScene {
    const char* name;
    std::string text;
    std::string message;  // what follows "trellis: error: FILE: "
};

std::string hundredAndOneSections() {
    std::string list;
    for (int i = 0; i < 101; ++i) list += std::string(i ? "," : "") + "null";
    return R"({"trellis": [{"name": "C", "sections": [)" + list + "]}]}";
}

const std::string KNOT_AT = "nodes[0].shape.splines[0].knots[0]";
std::string withKnot(const std::string& knot) {
    return R"({"nodes": [{"name": "A", "shape": {"splines": [{"knots": [)" + knot + "]}]}}]}";
}

const BadScene BAD_SCENES[] = {
    {"NotJson", "{", "invalid JSON: parse error at line 1, column 2"},
    {"TopLevelArray", "[]", "expected an object at the top level, got array"},
    {"TimeNotWhole", R"({"time": 1.5})", "time: expected an integer, got 1.5"},
    {"TimeOutOfRange", R"({"time": 3000000000})", "time: integer out of range"},
    {"NodesNotArray", R"({"nodes": {}})", "nodes: expected an array, got object"},
    {"NodeNotObject", R"({"nodes": [3]})", "nodes[0]: expected an object, got number"},
    {"NameMissing", R"({"nodes": [{}]})", "nodes[0]: missing required field \"name\""},
    {"NameEmpty", R"({"nodes": [{"name": ""}]})", "nodes[0].name: a node name must not be empty"},
    {"NameWithNul", R"({"nodes": [{"name": "A\u0000B"}]})", "nodes[0].name: a node name must not contain a NUL"},
    {"NameNotString", R"({"nodes": [{"name": 5}]})", "nodes[0].name: expected a string, got number"},
    {"DuplicateNode", R"({"nodes": [{"name": "Rim"}, {"name": "Rim"}]})", "nodes[1].name: duplicate node name \"Rim\""},
    {"TrellisNamedLikeNode", R"({"nodes": [{"name": "Rim"}], "trellis": [{"name": "Rim"}]})",
     "trellis[0].name: duplicate node name \"Rim\""},
    {"DuplicateNameWithNewline", R"({"nodes": [{"name": "a\nb"}, {"name": "a\nb"}]})",
     "nodes[1].name: duplicate node name \"a\\nb\""},
    {"HiddenNotBoolean", R"({"nodes": [{"name": "A", "hidden": 1}]})", "nodes[0].hidden: expected true or false, got number"},
    {"PositionTooShort", R"({"nodes": [{"name": "A", "position": [1, 2]}]})",
     "nodes[0].position: expected an array of 3 numbers, got 2"},
    {"PositionNotArray", R"({"nodes": [{"name": "A", "position": 1}]})",
     "nodes[0].position: expected an array of 3 numbers, got number"},
    {"CoordinateNotNumber", R"({"nodes": [{"name": "A", "scale": [1, "2", 3]}]})",
     "nodes[0].scale[1]: expected a number, got string"},
    {"CoordinateOverflowsFloat", R"({"nodes": [{"name": "A", "rotation": [0, 0, 1e39]}]})",
     "nodes[0].rotation[2]: number out of range for a float"},
    {"CoordinateOverflowsDouble", R"({"nodes": [{"name": "A", "position": [-1e400, 0, 0]}]})",
     "invalid JSON: number overflow parsing '-1e400'"},
    {"KeysEmpty", R"({"nodes": [{"name": "A", "keys": []}]})", "nodes[0].keys: expected at least one key"},
    {"KeyWithoutTime", R"({"nodes": [{"name": "A", "keys": [{"position": [0, 0, 0]}]}]})",
     "nodes[0].keys[0]: missing required field \"time\""},
    {"TwoKeysAtOneTime", R"({"nodes": [{"name": "A", "keys": [{"time": 0}, {"time": 0}]}]})",
     "nodes[0].keys[1].time: two keys at time 0"},
    {"PivotNotObject", R"({"nodes": [{"name": "A", "pivot": [0, 0, 0]}]})", "nodes[0].pivot: expected an object, got array"},
    {"ShapeAndMesh", R"({"nodes": [{"name": "A", "shape": {"splines": []}, "mesh": {}}]})",
     "nodes[0]: a node holds one object"},
    {"ShapeWithoutCurves", R"({"nodes": [{"name": "A", "shape": {}}]})",
     "nodes[0].shape: expected exactly one of \"splines\" and \"polylines\""},
    {"MeshNotObject", R"({"nodes": [{"name": "A", "mesh": true}]})", "nodes[0].mesh: expected an object, got boolean"},
    {"ClosedNotBoolean", R"({"nodes": [{"name": "A", "shape": {"polylines": [{"closed": "yes", "points": []}]}}]})",
     "nodes[0].shape.polylines[0].closed: expected true or false, got string"},
    {"KnotsMissing", R"({"nodes": [{"name": "A", "shape": {"splines": [{}]}}]})",
     "nodes[0].shape.splines[0]: missing required field \"knots\""},
    {"KnotWithoutPoint", withKnot("{}"), KNOT_AT + ": missing required field \"point\""},
    {"KnotTypeUnknown", withKnot(R"({"point": [0, 0, 0], "type": "weird"})"), KNOT_AT + ".type: unknown value \"weird\""},
    {"KnotTypeOutOfRange", withKnot(R"({"point": [0, 0, 0], "type": 4})"), KNOT_AT + ".type: value 4 out of range"},
    {"LineTypeUnknown", withKnot(R"({"point": [0, 0, 0], "line": "straight"})"), KNOT_AT + ".line: unknown value"},
    {"HandleOverflows", withKnot(R"({"point": [0, 0, 0], "in": [0, 4e38, 0]})"),
     KNOT_AT + ".in[1]: number out of range for a float"},
    {"TooManySections", hundredAndOneSections(), "trellis[0].sections: 101 section slots, at most 100"},
    {"SectionNotName", R"({"trellis": [{"name": "C", "sections": [1]}]})",
     "trellis[0].sections[0]: expected a node name or null, got number"},
    {"SectionUnknown", R"({"nodes": [{"name": "A"}], "trellis": [{"name": "C", "sections": ["A", "Nowhere"]}]})",
     "trellis[0].sections[1]: unknown node name \"Nowhere\""},
    {"SectionIsItself", R"({"trellis": [{"name": "Cage", "sections": [null, "Cage"]}]})",
     "trellis[0].sections[1]: \"Cage\" depends on itself"},
    {"SectionsLoop",
     R"({"trellis": [{"name": "C", "sections": ["D"]}, {"name": "D", "sections": [null, "E"]}, {"name": "E", "sections": ["C"]}]})",
     "trellis[2].sections[0]: \"E\" depends on itself: \"E\" -> \"C\" -> \"D\" -> \"E\""},
    {"SplineTypeUnknownName", R"({"trellis": [{"name": "C", "splineType": "Wavy"}]})",
     "trellis[0].splineType: unknown spline type \"Wavy\""},
    {"SplineTypeWrongType", R"({"trellis": [{"name": "C", "splineType": true}]})",
     "trellis[0].splineType: expected an integer"},
    {"SplineTypeTooBig", R"({"trellis": [{"name": "C", "splineType": 1e10}]})",
     "trellis[0].splineType: integer out of range"},
    {"SplineTypeKeyShape", R"({"trellis": [{"name": "C", "splineType": {"keys": [[0]]}}]})",
     "trellis[0].splineType.keys[0]: expected [time, value]"},
    {"SplineTypeKeysAtOneTime", R"({"trellis": [{"name": "C", "splineType": {"keys": [[0, 1], [0, 2]]}}]})",
     "trellis[0].splineType.keys[1][0]: two keys at time 0"},
    {"SplineTypeKeysMissing", R"({"trellis": [{"name": "C", "splineType": {}}]})",
     "trellis[0].splineType: missing required field \"keys\""},
};

class BadSceneFile : public ::testing::TestWithParam<BadScene> {};

TEST_P(BadSceneFile, FailsWithOneLineNamingFileAndFault) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", GetParam().text);
    apptest::RunResult run = apptest::runInProcess({"build", scene, "--json", dir.path("out.json")});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    std::string prefix = "trellis: error: " + scene + ": ";
    EXPECT_EQ(run.err.rfind(prefix + GetParam().message, 0), 0u) << run.err;
    EXPECT_EQ(apptest::countLines(run.err), 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(dir.exists("out.json")) << "no output for a bad scene";
}

INSTANTIATE_TEST_SUITE_P(Faults, BadSceneFile, ::testing::ValuesIn(BAD_SCENES),
                         [](const ::testing::TestParamInfo<BadScene>& scene) { return std::string(scene.param.name); });

TEST(SceneFileRead, MissingFileIsAnInputError) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runInProcess({"build", dir.path("absent.json")});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(run.err, "trellis: error: " + dir.path("absent.json") + ": cannot read: No such file or directory\n");
}

TEST(SceneFileRead, DirectoryIsAnInputError) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runInProcess({"build", dir.path("")});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    EXPECT_NE(run.err.find("cannot read: is a directory"), std::string::npos) << run.err;
}

TEST(SceneFileRead, UnknownDeleteNameIsAnInputError) {
    apptest::TempDir dir;
    std::string scene = dir.write("s.json", R"({"nodes": [{"name": "A"}]})");
    apptest::RunResult run = apptest::runInProcess({"build", scene, "--delete", "A", "--delete", "B"});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(run.err, "trellis: error: " + scene + ": --delete: unknown node name \"B\"\n");
}

}  // namespace
