// Users' strings (paths, arguments, node names) never forge a line, send a
// terminal escape or break an SVG: every line about them shows them
// escaped, and every picture is well-formed XML whatever the names.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "app/scene/scene_error.h"
#include "support/app_test_support.h"

namespace {

// A scene whose one trellis object and its section bear `name`.
std::string sceneNamed(const std::string& name) {
    nlohmann::json scene = {
        {"nodes", {{{"name", name + " rim"}, {"shape", {{"circle", {{"radius", 5}}}}}}}},
        {"trellis", {{{"name", name}, {"sections", {name + " rim"}}}}}};
    return scene.dump();
}

bool hasControlBytes(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\n') || c == 0x7F) return true;
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F)
            return true;
    }
    return false;
}

const std::string HOSTILE_NAMES[] = {"Forged\nCage at time 0: 99 sections", "Esc\x1b[2J", "Csi\xC2\x9B" "31m",
                                     "Bell\a", "Nonchar\xEF\xBF\xBE\xEF\xBF\xBF"};

TEST(TextEscaping, SummaryReportAndListShowHostileNamesOnOneLineEach) {
    for (const std::string& name : HOSTILE_NAMES) {
        apptest::TempDir dir;
        std::string scene = dir.write("scene.json", sceneNamed(name));
        apptest::RunResult build = apptest::runBinary(dir, {"build", scene, "--report"});
        ASSERT_EQ(build.status, 0) << build.err;
        EXPECT_EQ(apptest::countLines(build.out), 2) << build.out;
        EXPECT_FALSE(hasControlBytes(build.out)) << build.out;
        apptest::RunResult edit = apptest::runBinary(dir, {"edit", scene, "--object", name});
        ASSERT_EQ(edit.status, 0) << edit.err;
        EXPECT_EQ(apptest::countLines(edit.out), 1) << edit.out;
        EXPECT_FALSE(hasControlBytes(edit.out)) << edit.out;
    }
}

TEST(TextEscaping, PlainNamesAreShownAsTheyAre) {
    EXPECT_EQ(printableName("Cage"), "Cage");
    EXPECT_EQ(printableName("Käfig \xE2\x80\xA6"), "Käfig \xE2\x80\xA6");
    EXPECT_EQ(printableName("a\nb"), "\"a\\nb\"");
    EXPECT_EQ(printableName("\xC2\x9B"), "\"\\u009b\"");
    EXPECT_EQ(printableName("\xFF"), "\"\xEF\xBF\xBD\"") << "invalid UTF-8 shows as the replacement character";
}

TEST(TextEscaping, PathsAndArgumentsWithNewlinesGiveOneErrorLine) {
    apptest::TempDir dir;
    apptest::RunResult missing = apptest::runBinary(dir, {"build", dir.path("no\nsuch.json")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(apptest::countLines(missing.err), 1) << missing.err;
    EXPECT_NE(missing.err.find("no\\nsuch.json"), std::string::npos) << missing.err;
    std::string scene = dir.write("scene.json", sceneNamed("Cage"));
    apptest::RunResult unknown = apptest::runBinary(dir, {"build", scene, "--delete", "Rim\n\x1b[31mforged"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(apptest::countLines(unknown.err), 1) << unknown.err;
    EXPECT_FALSE(hasControlBytes(unknown.err)) << unknown.err;
}

// No XML parser is at hand, so the rules that make the text well-formed are
// checked: nothing XML 1.0 forbids, only valid UTF-8, markup escaped.
TEST(TextEscaping, PicturesStayWellFormedXmlWhateverTheNames) {
    for (const std::string& name : HOSTILE_NAMES) {
        apptest::TempDir dir;
        std::string scene = dir.write("scene.json", sceneNamed(name + "<&\"'>"));
        apptest::RunResult run = apptest::runBinary(dir, {"build", scene, "--svg", "-"});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string& svg = run.out;
        for (std::size_t i = 0; i < svg.size();) {
            char32_t c = 0;
            int length = decodeUtf8(svg, i, c);
            ASSERT_GT(length, 0) << "invalid UTF-8 at byte " << i;
            bool allowed = c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
            ASSERT_TRUE(allowed) << "character " << static_cast<unsigned>(c) << " at byte " << i;
            i += static_cast<std::size_t>(length);
        }
        EXPECT_EQ(svg.find("<&"), std::string::npos);
    }
}

}  // namespace
