// `trellis edit`: the object's rollup clicked through as a user would, the
// list it shows afterwards, and the saved scene that builds the edited cage.
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "support/app_test_support.h"

namespace {

// Three matching square sections, a mesh, a hidden shape, the trellis
// object "Cage" with no sections, and "Outer", which takes Cage as a section.
const char* const SCENE = R"({
  "time": 2400,
  "nodes": [
    { "name": "A", "position": [0, 0, 0], "shape": { "splines": [ { "closed": true, "knots": [
      { "point": [1, 0, 0] }, { "point": [0, 1, 0] }, { "point": [-1, 0, 0] }, { "point": [0, -1, 0] } ] } ] } },
    { "name": "B", "position": [0, 0, 10], "shape": { "splines": [ { "closed": true, "knots": [
      { "point": [2, 0, 0] }, { "point": [0, 2, 0] }, { "point": [-2, 0, 0] }, { "point": [0, -2, 0] } ] } ] } },
    { "name": "C", "position": [0, 0, 20], "shape": { "splines": [ { "closed": true, "knots": [
      { "point": [3, 0, 0] }, { "point": [0, 3, 0] }, { "point": [-3, 0, 0] }, { "point": [0, -3, 0] } ] } ] } },
    { "name": "Box", "mesh": {} },
    { "name": "Ghost", "hidden": true, "shape": { "splines": [ { "knots": [
      { "point": [0, 0, 0] }, { "point": [1, 1, 0] } ] } ] } }
  ],
  "trellis": [
    { "name": "Cage", "position": [5, 0, 0] },
    { "name": "Outer", "sections": ["Cage", "A"] },
    { "name": "Full", "splineType": { "keys": [[0, 0], [4800, 3]] }, "sections": ["A", "B", "C"] }
  ]
})";

const char* const HELP_ADDRESS = "help.gridwork-plugins.example/max4/trellisObject/help.html";

typedef std::function<apptest::RunResult(const apptest::TempDir&, const std::vector<std::string>&)> Runner;

apptest::RunResult inProcess(const apptest::TempDir&, const std::vector<std::string>& args) {
    return apptest::runInProcess(args);
}

nlohmann::json readJson(const apptest::TempDir& dir, const std::string& name) {
    return nlohmann::json::parse(dir.read(name));
}

nlohmann::json trellisEntry(const nlohmann::json& scene, const std::string& name) {
    for (const auto& entry : scene["trellis"])
        if (entry["name"] == name) return entry;
    return nullptr;
}

std::vector<std::string> edit(const apptest::TempDir& dir, std::vector<std::string> args) {
    std::vector<std::string> all{"edit", dir.write("scene.json", SCENE)};
    all.insert(all.end(), args.begin(), args.end());
    return all;
}

class EditRunner : public ::testing::TestWithParam<const char*> {
protected:
    apptest::RunResult run(const apptest::TempDir& dir, const std::vector<std::string>& args) {
        return std::string(GetParam()) == "Binary" ? apptest::runBinary(dir, args) : inProcess(dir, args);
    }
};

// The saved scene builds a cage over the added sections: three copies and
// one rib per knot.
TEST_P(EditRunner, AddedSectionsAreListedSavedAndBuilt) {
    apptest::TempDir dir;
    apptest::RunResult edited = run(dir, edit(dir, {"--object", "Cage", "--add", "A,B", "--add", "C", "--save",
                                                    dir.path("out.json")}));
    ASSERT_EQ(edited.status, 0) << edited.err;
    EXPECT_EQ(edited.err, "");
    EXPECT_EQ(edited.out, "0: A\n1: B\n2: C\n");
    nlohmann::json saved = readJson(dir, "out.json");
    EXPECT_EQ(trellisEntry(saved, "Cage")["sections"], nlohmann::json({"A", "B", "C"}));
    EXPECT_EQ(trellisEntry(saved, "Outer"), trellisEntry(nlohmann::json::parse(SCENE), "Outer")) << "left as written";
    EXPECT_EQ(saved["nodes"], nlohmann::json::parse(SCENE)["nodes"]);

    apptest::RunResult built = run(dir, {"build", dir.path("out.json"), "--json", "-"});
    ASSERT_EQ(built.status, 0) << built.err;
    nlohmann::json cage = nlohmann::json::parse(built.out)["objects"][0];
    ASSERT_EQ(cage["name"], "Cage");
    EXPECT_EQ(cage["splines"].size(), 3u + 4u);
    // The third copy is section C, 20 above A and three times its size.
    EXPECT_EQ(cage["splines"][2]["knots"][0]["point"], nlohmann::json({3, 0, 20}));
}

// The cage document of --json is the one `trellis build --json` gives for
// the saved scene.
TEST_P(EditRunner, JsonIsTheCageTheSavedSceneBuilds) {
    apptest::TempDir dir;
    apptest::RunResult edited = run(dir, edit(dir, {"--object", "Full", "--down", "0", "--save", dir.path("out.json"),
                                                    "--json", dir.path("cage.json")}));
    ASSERT_EQ(edited.status, 0) << edited.err;
    apptest::RunResult built = run(dir, {"build", dir.path("out.json"), "--json", "-"});
    ASSERT_EQ(built.status, 0) << built.err;
    nlohmann::json all = nlohmann::json::parse(built.out);
    nlohmann::json fromEdit = readJson(dir, "cage.json");
    ASSERT_EQ(fromEdit["objects"].size(), 1u);
    EXPECT_EQ(fromEdit["time"], all["time"]);
    EXPECT_EQ(fromEdit["objects"][0], all["objects"][2]);
}

TEST_P(EditRunner, CreatedObjectTakesTheClickPositionAndItsSections) {
    apptest::TempDir dir;
    apptest::RunResult edited =
        run(dir, edit(dir, {"--create", "Fresh", "--at", "10,20", "--add", "B,A", "--save", dir.path("out.json")}));
    ASSERT_EQ(edited.status, 0) << edited.err;
    EXPECT_EQ(edited.out, "0: B\n1: A\n");
    nlohmann::json saved = readJson(dir, "out.json");
    ASSERT_EQ(saved["trellis"].size(), 4u);
    nlohmann::json fresh = saved["trellis"][3];
    EXPECT_EQ(fresh["name"], "Fresh");
    // The default viewport: one unit a pixel, screen y downward.
    EXPECT_EQ(fresh["position"], nlohmann::json({10, -20, 0}));
    EXPECT_EQ(fresh["sections"], nlohmann::json({"B", "A"}));
    EXPECT_EQ(fresh["splineType"], 0);

    apptest::RunResult built = run(dir, {"build", dir.path("out.json")});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_NE(built.out.find("Fresh at time 2400: 2 sections, 6 splines"), std::string::npos) << built.out;
}

INSTANTIATE_TEST_SUITE_P(Runs, EditRunner, ::testing::Values("Binary", "InProcess"));

// The actions run in command-line order across options: the same clicks
// in another order give another list.
struct OrderCase {
    std::string name;
    std::vector<std::string> actions;
    std::vector<std::string> list;
};

class EditOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(EditOrder, ListAndSavedSlotsFollowTheClicks) {
    apptest::TempDir dir;
    std::vector<std::string> args{"--object", "Full", "--save", dir.path("out.json")};
    args.insert(args.end(), GetParam().actions.begin(), GetParam().actions.end());
    apptest::RunResult run = apptest::runInProcess(edit(dir, args));
    ASSERT_EQ(run.status, 0) << run.err;
    std::string listed;
    for (std::size_t i = 0; i < GetParam().list.size(); ++i) listed += std::to_string(i) + ": " + GetParam().list[i] + "\n";
    EXPECT_EQ(run.out, listed);
    EXPECT_EQ(trellisEntry(readJson(dir, "out.json"), "Full")["sections"], nlohmann::json(GetParam().list));
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, EditOrder,
    ::testing::Values(OrderCase{"DownThenUp", {"--down", "0", "--up", "2"}, {"B", "C", "A"}},
                      OrderCase{"UpThenDown", {"--up", "2", "--down", "0"}, {"C", "A", "B"}},
                      OrderCase{"UpRemoveDown", {"--up", "2", "--remove", "0", "--down", "0"}, {"B", "C"}},
                      OrderCase{"RemoveAllThenAdd", {"--remove", "0", "--remove", "0", "--remove", "0", "--add", "C"},
                                {"C"}},
                      OrderCase{"UpOnTheTopChangesNothing", {"--up", "0"}, {"A", "B", "C"}}),
    [](const ::testing::TestParamInfo<OrderCase>& testCase) { return testCase.param.name; });

TEST(EditType, RadioButtonSetsTheSplineType) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runInProcess(
        edit(dir, {"--object", "Cage", "--type", "Smooth", "--type", "bezier corner", "--save", dir.path("out.json")}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(trellisEntry(readJson(dir, "out.json"), "Cage")["splineType"], 3);
}

// An animated "SplineType" keeps its keys; the click sets a key at the scene's time.
TEST(EditType, AnimatedSplineTypeGetsAKeyAtTheSceneTime) {
    apptest::TempDir dir;
    apptest::RunResult run =
        apptest::runInProcess(edit(dir, {"--object", "Full", "--type", "1", "--save", dir.path("out.json")}));
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json keys = trellisEntry(readJson(dir, "out.json"), "Full")["splineType"]["keys"];
    EXPECT_EQ(keys, nlohmann::json::parse("[[0, 0], [2400, 1], [4800, 3]]"));
}

TEST(EditHelp, PrintsTheAddressBeforeTheList) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runInProcess(edit(dir, {"--object", "Full", "--help-page", "--remove", "1"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string("help: ") + HELP_ADDRESS + "\n0: A\n1: C\n");
}

// A refused edit names the action and the reason, and writes nothing.
struct EditFault {
    std::string name;
    std::vector<std::string> args;
    std::string message;
};

class EditFaults : public ::testing::TestWithParam<EditFault> {};

TEST_P(EditFaults, ExitOneAndNothingWritten) {
    apptest::TempDir dir;
    std::vector<std::string> args = edit(dir, GetParam().args);
    for (const char* output : {"--save", "--json"}) {
        args.push_back(output);
        args.push_back(dir.path(std::string(output + 2) + ".out"));
    }
    apptest::RunResult run = apptest::runInProcess(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(apptest::countLines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(dir.exists("save.out"));
    EXPECT_FALSE(dir.exists("json.out"));
    EXPECT_EQ(dir.read("scene.json"), SCENE);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, EditFaults,
    ::testing::Values(
        EditFault{"UnknownObject", {"--object", "Nope"}, "--object: no node named \"Nope\""},
        EditFault{"NotATrellisObject", {"--object", "A"}, "--object: \"A\" is not a trellis object"},
        EditFault{"NoSuchNode", {"--object", "Cage", "--add", "A,Nope"}, "--add A,Nope: \"Nope\": no such node"},
        EditFault{"NotAShape", {"--object", "Cage", "--add", "Box"}, "\"Box\": not a shape"},
        EditFault{"Hidden", {"--object", "Cage", "--add", "Ghost"}, "\"Ghost\": hidden"},
        EditFault{"AlreadyASection", {"--object", "Full", "--add", "B"}, "\"B\": already a section"},
        EditFault{"AddedTwice", {"--object", "Cage", "--add", "A", "--add", "A"}, "\"A\": already a section"},
        EditFault{"ChosenTwice", {"--object", "Cage", "--add", "A,A"}, "\"A\": chosen twice"},
        EditFault{"ItsOwnNode", {"--object", "Cage", "--add", "Cage"}, "\"Cage\": depends on the object"},
        EditFault{"DependsOnTheObject", {"--object", "Cage", "--add", "Outer"}, "\"Outer\": depends on the object"},
        EditFault{"EntryOutOfRange", {"--object", "Full", "--remove", "3"}, "--remove 3: no list entry 3 (the list has entries 0 to 2)"},
        EditFault{"NegativeEntry", {"--object", "Full", "--up", "-1"}, "--up -1: no list entry -1"},
        EditFault{"EmptyList", {"--object", "Cage", "--down", "0"}, "--down 0: no list entry 0 (the list is empty)"},
        EditFault{"LaterActionFails", {"--object", "Cage", "--add", "A", "--remove", "1"}, "--remove 1: no list entry 1"},
        EditFault{"CreatedNameTaken", {"--create", "A", "--at", "0,0"}, "--create: a node named \"A\" exists"}),
    [](const ::testing::TestParamInfo<EditFault>& testCase) { return testCase.param.name; });

// The chooser drops silently what finds no free slot; the command says so.
TEST(EditFull, AddingPastTheHundredthSectionIsRefused) {
    nlohmann::json scene = {{"nodes", nlohmann::json::array()}, {"trellis", nlohmann::json::array()}};
    nlohmann::json sections = nlohmann::json::array();
    for (int i = 0; i <= 100; ++i) {
        std::string name = "S" + std::to_string(i);
        scene["nodes"].push_back({{"name", name},
                                  {"shape", {{"splines", {{{"knots", {{{"point", {0, 0, i}}}, {{"point", {1, 0, i}}}}}}}}}}});
        if (i < 99) sections.push_back(name);
    }
    scene["trellis"].push_back({{"name", "T"}, {"sections", sections}});
    apptest::TempDir dir;
    std::vector<std::string> args{"edit", dir.write("full.json", scene.dump()), "--object", "T"};
    apptest::RunResult fits = apptest::runInProcess(args);
    ASSERT_EQ(fits.status, 0) << fits.err;
    EXPECT_EQ(apptest::countLines(fits.out), 99);
    args.insert(args.end(), {"--add", "S99,S100", "--save", dir.path("out.json")});
    apptest::RunResult full = apptest::runInProcess(args);
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("--add S99,S100: \"S100\": the list is full"), std::string::npos) << full.err;
    EXPECT_FALSE(dir.exists("out.json"));
}

// The scene file is never an output, so a refused edit cannot damage it.
TEST(EditOutputs, TheInputAndTheOtherOutputAreNeverOverwritten) {
    apptest::TempDir dir;
    for (const std::vector<std::string>& outputs :
         {std::vector<std::string>{"--save", dir.path("scene.json")},
          std::vector<std::string>{"--json", dir.path("scene.json")},
          std::vector<std::string>{"--save", dir.path("out.json"), "--json", dir.path("out.json")}}) {
        std::vector<std::string> args = edit(dir, {"--object", "Cage", "--add", "A"});
        args.insert(args.end(), outputs.begin(), outputs.end());
        apptest::RunResult run = apptest::runInProcess(args);
        EXPECT_EQ(run.status, 1) << ::testing::PrintToString(outputs);
        EXPECT_EQ(apptest::countLines(run.err), 1) << run.err;
        EXPECT_EQ(dir.read("scene.json"), SCENE);
        EXPECT_FALSE(dir.exists("out.json"));
    }
}

// With the scene on standard output, the list stays off it.
TEST(EditOutputs, SavedSceneOnStandardOutputIsTheOnlyOutput) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runInProcess(edit(dir, {"--object", "Cage", "--add", "C", "--save", "-"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(trellisEntry(nlohmann::json::parse(run.out), "Cage")["sections"], nlohmann::json({"C"}));
}

TEST(EditUsage, TheObjectMustBeNamedOrCreated) {
    apptest::TempDir dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"--object", "Cage", "--create", "N", "--at", "0,0"},
          std::vector<std::string>{"--create", "N"}, std::vector<std::string>{"--create", "N", "--at", "1;2"},
          std::vector<std::string>{"--object", "Cage", "--type", "Wavy"},
          std::vector<std::string>{"--object", "Cage", "--save", "-", "--json", "-"}}) {
        apptest::RunResult run = apptest::runInProcess(edit(dir, args));
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args) << run.err;
    }
}

}  // namespace
