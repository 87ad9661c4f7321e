// The 3D page's text, without a browser: its data blocks decoded and
// compared with the cages the same run describes in JSON, hostile names,
// and the output rules every output keeps. The page in a browser is tested
// in html_view_test.cpp.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <nlohmann/json.hpp>
#include "app/host/cage_view.h"
#include "app/output/base64_text.h"
#include "support/app_test_support.h"

namespace {

std::vector<unsigned char> fromBase64(const std::string& text) {
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<unsigned char> bytes;
    std::uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == '=') break;
        std::size_t value = alphabet.find(c);
        if (value == std::string::npos) ADD_FAILURE() << "not base64: " << c;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        if ((count += 6) >= 8) {
            count -= 8;
            bytes.push_back(static_cast<unsigned char>(bits >> count));
        }
    }
    return bytes;
}

template <class T>
std::vector<T> valuesOf(const std::vector<unsigned char>& bytes) {
    EXPECT_EQ(bytes.size() % sizeof(T), 0u);
    std::vector<T> values(bytes.size() / sizeof(T));
    std::memcpy(values.data(), bytes.data(), values.size() * sizeof(T));   // this machine is little-endian too
    return values;
}

// The text of the element with this id, up to its closing tag.
std::string elementText(const std::string& page, const std::string& id) {
    std::size_t at = page.find("id=\"" + id + "\">");
    if (at == std::string::npos) return "";
    at = page.find('>', at) + 1;
    return page.substr(at, page.find("</script>", at) - at);
}

struct PageCage {
    std::vector<float> points;
    std::vector<std::uint32_t> curves;   // first point, count | closed bit
    std::vector<std::uint32_t> knots;    // point, knot index
};

PageCage cageOf(const std::string& page, int frame, int object) {
    std::string suffix = "-" + std::to_string(frame) + "-" + std::to_string(object);
    return {valuesOf<float>(fromBase64(elementText(page, "points" + suffix))),
            valuesOf<std::uint32_t>(fromBase64(elementText(page, "curves" + suffix))),
            valuesOf<std::uint32_t>(fromBase64(elementText(page, "knots" + suffix)))};
}

// "Links" stands 100 along X; its sections differ, "Ribs" has two matching squares.
const char* const TWO_CAGES = R"({"nodes": [
  {"name": "SquareLow", "shape": {"rectangle": {"length": 20, "width": 20}}},
  {"name": "SquareHigh", "position": [0, 0, 30], "shape": {"rectangle": {"length": 14, "width": 14}}},
  {"name": "Hexagon", "position": [0, 0, 30], "shape": {"ngon": {"radius": 12, "sides": 6}}},
  {"name": "Line", "position": [0, 0, 60], "shape": {"polylines": [{"closed": false, "points": [[0, 0, 0], [5, 0, 0], [5, 5, 0]]}]}}],
  "trellis": [
    {"name": "Ribs", "splineType": "Smooth", "sections": ["SquareLow", "SquareHigh"]},
    {"name": "Links", "position": [100, 0, 0], "splineType": "Bezier", "sections": ["SquareLow", "Hexagon", "Line"]}]})";

struct PageRun {
    nlohmann::json cages;
    std::string page;
};

PageRun buildPage(const std::string& sceneText, const std::vector<std::string>& times = {}) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", sceneText);
    std::vector<std::string> args{"build", scene, "--json", dir.path("c.json"), "--html", dir.path("c.html")};
    for (const std::string& t : times) args.insert(args.end(), {"--time", t});
    apptest::RunResult run = apptest::runInProcess(args);
    EXPECT_EQ(run.status, EXIT_OK) << run.err;
    return {nlohmann::json::parse(dir.read("c.json")), dir.read("c.html")};
}

nlohmann::json descriptionOf(const std::string& page) {
    return nlohmann::json::parse(elementText(page, "trellis-data"));
}

TEST(HtmlPage, CurvesAreTheSampledCageSplinesInWorldSpace) {
    PageRun run = buildPage(TWO_CAGES);
    nlohmann::json description = descriptionOf(run.page);
    ASSERT_EQ(description.at("frames").size(), 1u);
    const nlohmann::json& objects = run.cages.at("objects");
    for (int o = 0; o < 2; ++o) {
        SCOPED_TRACE("object " + std::to_string(o));
        const nlohmann::json& splines = objects[o].at("splines");
        const nlohmann::json& described = description["frames"][0]["objects"][o];
        EXPECT_EQ(described.at("name"), objects[o].at("name"));
        PageCage cage = cageOf(run.page, 0, o);
        ASSERT_EQ(cage.curves.size(), 2 * splines.size()) << "every cage spline, in cage order";
        std::uint32_t next = 0;
        std::size_t knot = 0;
        for (std::size_t s = 0; s < splines.size(); ++s) {
            const nlohmann::json& knots = splines[s].at("knots");
            const bool closed = splines[s].at("closed");
            const std::uint32_t count = static_cast<std::uint32_t>(knots.size() - (closed ? 0 : 1)) * (CAGE_SAMPLE_STEPS + 1) +
                                        (closed ? 0 : 1);
            EXPECT_EQ(cage.curves[2 * s], next);
            EXPECT_EQ(cage.curves[2 * s + 1], count | (closed ? 0x80000000u : 0u)) << "spline " << s;
            for (std::size_t k = 0; k < knots.size(); ++k, ++knot) {
                ASSERT_LT(2 * knot + 1, cage.knots.size());
                EXPECT_EQ(cage.knots[2 * knot + 1], k) << "knots keep their index along their spline";
                const std::uint32_t p = cage.knots[2 * knot];
                ASSERT_LT(3 * p + 2, cage.points.size());
                const nlohmann::json& point = knots[k].at("point");
                EXPECT_EQ(cage.points[3 * p], point[0].get<float>() + (o == 1 ? 100.0f : 0.0f));
                EXPECT_EQ(cage.points[3 * p + 1], point[1].get<float>());
                EXPECT_EQ(cage.points[3 * p + 2], point[2].get<float>());
            }
            next += count;
        }
        EXPECT_EQ(cage.points.size(), 3u * next);
        EXPECT_EQ(cage.knots.size(), 2 * knot);
    }
}

TEST(HtmlPage, DescribesEachObjectForItsLegendAndReport) {
    PageRun run = buildPage(TWO_CAGES);
    const nlohmann::json links = descriptionOf(run.page)["frames"][0]["objects"][1];
    EXPECT_EQ(links.at("sectionCopies"), 3);
    EXPECT_EQ(links.at("sectionNames"), nlohmann::json({"SquareLow", "Hexagon", "Line"}));
    EXPECT_EQ(links.at("sectionSlots"), nlohmann::json({1, 2, 3}));
    EXPECT_EQ(links.at("legend")[0], "time 0 \xC2\xB7 SplineType Bezier (2)");
    EXPECT_NE(links.at("report").get<std::string>().find("\"SquareLow\" -> 1 \"Hexagon\": by arc length"),
              std::string::npos) << links.at("report");
    EXPECT_EQ(links.at("colour"), "#1c7ed6");
}

TEST(HtmlPage, EveryTimeIsAFrame) {
    PageRun run = buildPage(TWO_CAGES, {"0", "4800", "-160"});
    nlohmann::json frames = descriptionOf(run.page).at("frames");
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1].at("time"), 4800);
    EXPECT_EQ(frames[2].at("time"), -160);
    EXPECT_EQ(cageOf(run.page, 2, 1).curves.size(), 2 * run.cages.at("frames")[2]["objects"][1]["splines"].size());
    EXPECT_NE(run.page.find("<title>Trellis cages at 3 times</title>"), std::string::npos);
}

// A name may hold anything; none may end the page's scripts or fake an element.
TEST(HtmlPage, HostileNamesStayInsideTheDescription) {
    const std::string hostile = "</script><script>alert(1)</script><!--";
    std::string scene = TWO_CAGES;
    scene.replace(scene.find("\"Ribs\""), 6, nlohmann::json(hostile).dump());
    scene.replace(scene.find("\"name\": \"SquareHigh\""), 20, "\"name\": \"<b>&amp;</b>\"");
    scene.replace(scene.find("\"SquareHigh\""), 12, "\"<b>&amp;</b>\"");
    PageRun run = buildPage(scene);
    nlohmann::json ribs = descriptionOf(run.page)["frames"][0]["objects"][0];
    EXPECT_EQ(ribs.at("name"), hostile);
    EXPECT_EQ(ribs.at("sectionNames")[1], "<b>&amp;</b>");
    std::size_t opened = 0, closed = 0;
    for (std::size_t at = run.page.find("<script"); at != std::string::npos; at = run.page.find("<script", at + 1)) ++opened;
    for (std::size_t at = run.page.find("</script>"); at != std::string::npos; at = run.page.find("</script>", at + 1)) ++closed;
    EXPECT_EQ(opened, closed);
    EXPECT_EQ(run.page.find("<!--"), std::string::npos);
    EXPECT_EQ(run.page.find("alert(1)</script>"), std::string::npos);
}

TEST(HtmlPage, KeepsTheRulesOfEveryOutput) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", TWO_CAGES);
    dir.write("c.json", "previous");
    apptest::RunResult full = apptest::runBinary(dir, {"build", scene, "--json", dir.path("c.json"), "--html", "/dev/full"});
    EXPECT_EQ(full.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(full.err, "trellis: error: /dev/full: cannot write: No space left on device\n");
    EXPECT_EQ(dir.read("c.json"), "previous") << "all or nothing";

    apptest::RunResult missing = apptest::runInProcess({"build", scene, "--html", dir.path("no/such/folder/p.html")});
    EXPECT_EQ(missing.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(apptest::countLines(missing.err), 1) << missing.err;

    EXPECT_EQ(apptest::runInProcess({"build", scene, "--html", "-", "--json", "-"}).status, EXIT_USAGE_ERROR);
    EXPECT_EQ(apptest::runInProcess({"build", scene, "--html", scene}).status, EXIT_INPUT_ERROR)
        << "a page never replaces the scene";
    apptest::RunResult piped = apptest::runInProcess({"build", scene, "--html", "-"});
    ASSERT_EQ(piped.status, EXIT_OK) << piped.err;
    EXPECT_EQ(piped.out.rfind("<!DOCTYPE html>", 0), 0u) << "the page alone, no summary";
    EXPECT_EQ(piped.out.substr(piped.out.size() - 8), "</html>\n");
}

TEST(Base64Text, EncodesWhatAStandardDecoderReadsBack) {
    for (std::uint32_t words = 0; words < 4; ++words) {
        std::ostringstream out;
        {
            OutputText text(out);
            Base64Text base64(text);
            for (std::uint32_t w = 0; w < words; ++w) base64.uint32(0x01020304u * (w + 1) ^ 0xff00ff00u);
            base64.float32(-0.0f);
            base64.finish();
            text.finish();
        }
        EXPECT_EQ(out.str().size() % 4, 0u) << "padded to whole groups";
        std::vector<std::uint32_t> back = valuesOf<std::uint32_t>(fromBase64(out.str()));
        ASSERT_EQ(back.size(), words + 1);
        for (std::uint32_t w = 0; w < words; ++w) EXPECT_EQ(back[w], 0x01020304u * (w + 1) ^ 0xff00ff00u);
        EXPECT_EQ(back[words], 0x80000000u) << "the sign of zero is kept";
    }
    std::ostringstream known;
    OutputText text(known);
    Base64Text base64(text);
    base64.uint32(0x00636261u);   // "abc" and a zero byte
    base64.finish();
    text.finish();
    EXPECT_EQ(known.str(), "YWJjAA==");
}

}  // namespace
