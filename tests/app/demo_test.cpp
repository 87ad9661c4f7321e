// The demo: its two files in the current folder, its summary, and its scene
// written out for users, which builds to the same cages.
#include <gtest/gtest.h>
#include <unistd.h>
#include <nlohmann/json.hpp>
#include "app/commands/build_command.h"
#include "support/app_test_support.h"

namespace {

// Runs the test's commands in another folder, and comes back.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& path) : saved(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~CurrentFolder() { std::filesystem::current_path(saved); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path saved;
};

TEST(Demo, WritesPictureAndCagesHereAndPrintsTheSummary) {
    apptest::TempDir dir;
    apptest::RunResult run;
    {
        CurrentFolder here(dir.path(""));
        run = apptest::runInProcess({"demo"});
    }
    ASSERT_EQ(run.status, EXIT_OK) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("Vase at time 0: 5 sections, ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\nTower at time 0: 4 sections, "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(DEMO_SVG_PATH), std::string::npos) << "the summary names the files it wrote";

    nlohmann::json cages = nlohmann::json::parse(dir.read(DEMO_JSON_PATH));
    const nlohmann::json& vase = cages.at("objects").at(0).at("report");
    const nlohmann::json& tower = cages.at("objects").at(1).at("report");
    ASSERT_EQ(vase.size(), 4u);
    for (const nlohmann::json& pair : vase) EXPECT_EQ(pair.at("join"), "by arc length") << pair;
    ASSERT_EQ(tower.size(), 3u);
    for (const nlohmann::json& pair : tower) {
        EXPECT_EQ(pair.at("join"), "ribs") << pair;
        EXPECT_EQ(pair.at("links"), 16) << "one rib per knot of an 8-point star";
    }
    EXPECT_NE(dir.read(DEMO_SVG_PATH).find("<g id=\"cage-1\""), std::string::npos);
}

TEST(Demo, WrittenSceneBuildsTheDemoCages) {
    apptest::TempDir dir;
    ASSERT_EQ(apptest::runInProcess({"demo", "--scene", dir.path("demo.json")}).status, EXIT_OK);
    apptest::RunResult own = apptest::runInProcess({"build", dir.path("demo.json"), "--json", "-"});
    ASSERT_EQ(own.status, EXIT_OK) << own.err;
    apptest::RunResult demo;
    {
        CurrentFolder here(dir.path(""));
        demo = apptest::runInProcess({"demo"});
    }
    ASSERT_EQ(demo.status, EXIT_OK) << demo.err;
    nlohmann::json fromScene = nlohmann::json::parse(own.out).at("objects");
    nlohmann::json fromDemo = nlohmann::json::parse(dir.read(DEMO_JSON_PATH)).at("objects");
    ASSERT_EQ(fromScene.size(), fromDemo.size());
    for (std::size_t i = 0; i < fromScene.size(); ++i)
        EXPECT_EQ(fromScene[i].at("splines"), fromDemo[i].at("splines")) << "object " << i;
}

TEST(Demo, SceneGoesToStandardOutputAlone) {
    apptest::RunResult run = apptest::runInProcess({"demo", "--scene", "-"});
    ASSERT_EQ(run.status, EXIT_OK) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out).at("trellis").size(), 2u);
}

}  // namespace
