// The 3D page in a real browser: Debian's Chromium, headless, drawing WebGL
// through SwiftShader, driven over its DevTools protocol. The page reports
// what it drew through its test hook (window.trellisView); pointing and
// clicking are real mouse input.
#include <gtest/gtest.h>
#include <cstdio>
#include <nlohmann/json.hpp>
#include "support/app_test_support.h"
#include "support/headless_browser.h"

namespace {

using browsertest::HeadlessBrowser;

// "Ribs": two squares 20 apart in Z, 4 ribs. "Links" (its node at X 100):
// a square, a hexagon and an open line, joined by arc length. "Moving"
// rises from Z 30 at time 0 to Z 50 at time 4800.
const char* const SCENE = R"({"nodes": [
  {"name": "SquareLow", "shape": {"rectangle": {"length": 20, "width": 20}}},
  {"name": "SquareHigh", "keys": [{"time": 0, "position": [0, 0, 30]}, {"time": 4800, "position": [0, 0, 50]}],
   "shape": {"rectangle": {"length": 14, "width": 14}}},
  {"name": "Hexagon", "position": [0, 0, 30], "shape": {"ngon": {"radius": 12, "sides": 6}}},
  {"name": "Line", "position": [0, 0, 60], "shape": {"polylines": [{"closed": false, "points": [[0, 0, 0], [5, 0, 0], [5, 5, 0]]}]}}],
  "trellis": [
    {"name": "Ribs", "splineType": "Smooth", "sections": ["SquareLow", "SquareHigh"]},
    {"name": "Links", "position": [100, 0, 0], "splineType": "Bezier", "sections": ["SquareLow", "Hexagon", "Line"]}]})";

struct Page {
    apptest::TempDir dir;
    nlohmann::json cages;   // the JSON of the same run
    std::string path;
};

// Builds `scene` into a page and the JSON of the same run; several times give several frames.
void buildPage(Page& page, const std::string& scene, const std::vector<std::string>& extra = {}) {
    std::string scenePath = page.dir.write("scene.json", scene);
    page.path = page.dir.path("cages.html");
    std::vector<std::string> args{"build", scenePath, "--json", page.dir.path("cages.json"), "--html", page.path};
    args.insert(args.end(), extra.begin(), extra.end());
    apptest::RunResult run = apptest::runInProcess(args);
    ASSERT_EQ(run.status, EXIT_OK) << run.err;
    page.cages = nlohmann::json::parse(page.dir.read("cages.json"));
}

void openPage(HeadlessBrowser& browser, const Page& page) {
    browser.open(page.path);
    browser.waitFor("window.trellisView && window.trellisView.ready");
}

std::string errorsOf(const HeadlessBrowser& browser) {
    std::string text;
    for (const browsertest::ConsoleEntry& e : browser.errors()) text += e.kind + ": " + e.text + "\n";
    return text;
}

int knotsOf(const nlohmann::json& object) {
    int knots = 0;
    for (const nlohmann::json& spline : object.at("splines")) knots += static_cast<int>(spline.at("knots").size());
    return knots;
}

// Each object of a frame as the page reports it against the JSON's cage:
// every section copy and connecting spline drawn, every knot marked.
void expectEverySplineDrawn(const nlohmann::json& counts, const nlohmann::json& objects, int sectionCopies[]) {
    ASSERT_EQ(counts.size(), objects.size());
    for (std::size_t o = 0; o < objects.size(); ++o) {
        SCOPED_TRACE(objects[o].at("name").get<std::string>());
        EXPECT_EQ(counts[o].at("name"), objects[o].at("name"));
        EXPECT_EQ(counts[o].at("sections"), sectionCopies[o]);
        EXPECT_EQ(counts[o].at("connections").get<int>() + sectionCopies[o], static_cast<int>(objects[o].at("splines").size()));
        EXPECT_EQ(counts[o].at("knots"), knotsOf(objects[o]));
    }
}

struct ScreenPoint {
    double x, y;
};

ScreenPoint screenPoint(HeadlessBrowser& browser, int object, int curve, int point) {
    nlohmann::json p = browser.evaluate("trellisView.screenPoint(" + std::to_string(object) + ", " +
                                        std::to_string(curve) + ", " + std::to_string(point) + ")");
    if (p.is_null()) {
        ADD_FAILURE() << "no point " << point << " of curve " << curve << " of object " << object;
        return {0, 0};
    }
    return {p.at("x").get<double>(), p.at("y").get<double>()};
}

// What the page says when the pointer rests at the point.
std::string pointAt(HeadlessBrowser& browser, ScreenPoint at) {
    browser.mouseMove(at.x, at.y);
    browser.waitFor("trellisView.pickText() !== ''", 5);
    return browser.evaluate("trellisView.pickText()").get<std::string>();
}

void clickButton(HeadlessBrowser& browser, const std::string& text) {
    nlohmann::json box = browser.evaluate(
        "(() => { const b = [...document.querySelectorAll('button')].find((e) => e.textContent === " +
        nlohmann::json(text).dump() + "); if (!b) return null; const r = b.getBoundingClientRect(); "
        "return {x: r.left + r.width / 2, y: r.top + r.height / 2}; })()");
    ASSERT_FALSE(box.is_null()) << "no button " << text;
    browser.click(box.at("x").get<double>(), box.at("y").get<double>());
}

TEST(HtmlView, DemoDrawsEveryCageSplineWithoutErrorsOrRequests) {
    Page page;
    std::string scene = page.dir.path("demo-scene.json");
    ASSERT_EQ(apptest::runInProcess({"demo", "--scene", scene}).status, EXIT_OK);
    ASSERT_NO_FATAL_FAILURE(buildPage(page, page.dir.read("demo-scene.json")));
    HeadlessBrowser browser;
    openPage(browser, page);
    int copies[] = {5, 4};   // the vase's five sections, the tower's four
    expectEverySplineDrawn(browser.evaluate("trellisView.counts()"), page.cages.at("objects"), copies);
    EXPECT_EQ(errorsOf(browser), "");
    std::vector<std::string> urls = browser.requestedUrls();
    ASSERT_EQ(urls.size(), 1u) << "the page loads nothing but itself";
    EXPECT_EQ(urls[0].rfind("file://", 0), 0u) << urls[0];
    std::printf("[ note     ] the demo page drew %.0f ms after navigation began\n",
                browser.evaluate("trellisView.loadMillis").get<double>());
}

TEST(HtmlView, ScreenshotHoldsEachObjectsColour) {
    Page page;
    ASSERT_NO_FATAL_FAILURE(buildPage(page, SCENE));
    HeadlessBrowser browser;
    openPage(browser, page);
    std::string shot = browser.screenshotBase64();
    // The legend shows the colours too: what the drawing adds is what the
    // screenshot holds beyond a second one with the drawing hidden.
    browser.evaluate("document.querySelector('#viewport canvas').style.visibility = 'hidden'");
    std::string legendOnly = browser.screenshotBase64();
    const unsigned colours[] = {0xe8590c, 0x1c7ed6, 0x343a40};   // Ribs, Links, section copies
    for (unsigned colour : colours) {
        int drawn = browser.countPixelsNear(shot, colour, 24) - browser.countPixelsNear(legendOnly, colour, 24);
        EXPECT_GT(drawn, 100) << std::hex << colour;
    }
    EXPECT_EQ(browser.countPixelsNear(shot, 0xff00ff, 24), 0) << "a colour the page does not use";
}

TEST(HtmlView, PointingAtACurveNamesIt) {
    Page page;
    ASSERT_NO_FATAL_FAILURE(buildPage(page, SCENE));
    HeadlessBrowser browser;
    openPage(browser, page);
    // Midway between two knots (12 steps a segment), where no other curve runs.
    EXPECT_EQ(pointAt(browser, screenPoint(browser, 1, 1, 6)),
              "Section copy of \"Hexagon\" from slot 2 (\"Links\", cage spline 1)");
    std::string connecting = pointAt(browser, screenPoint(browser, 1, 4, 6));
    EXPECT_EQ(connecting.rfind("Connecting spline 1 of \"Links\" (cage spline 4)\njoins knot ", 0), 0u) << connecting;
    EXPECT_NE(connecting.find(" of 1 \"Hexagon\" \xE2\x86\x92 knot "), std::string::npos) << connecting;
    std::string rib = pointAt(browser, screenPoint(browser, 0, 3, 6));
    EXPECT_EQ(rib, "Connecting spline 1 of \"Ribs\" (cage spline 3)\n"
                   "joins knot 1 of 0 \"SquareLow\" \xE2\x86\x92 knot 1 of 1 \"SquareHigh\"");
    // At a knot: its index along the curve and its world coordinates.
    std::string knot = pointAt(browser, screenPoint(browser, 0, 0, 0));
    const nlohmann::json& first = page.cages["objects"][0]["splines"][0]["knots"][0]["point"];
    char expected[96];
    std::snprintf(expected, sizeof expected, "\nknot 0 at (%g, %g, %g)", first[0].get<double>(), first[1].get<double>(),
                  first[2].get<double>());
    EXPECT_NE(knot.find(expected), std::string::npos) << knot << "\nexpected " << expected;
    // Away from every curve, nothing is named.
    browser.mouseMove(5, 790);
    browser.waitFor("trellisView.pickText() === ''", 5);
    EXPECT_EQ(errorsOf(browser), "");
}

TEST(HtmlView, FramesSwitchFromTheToolbar) {
    Page page;
    ASSERT_NO_FATAL_FAILURE(buildPage(page, SCENE, {"--time", "0", "--time", "4800"}));
    HeadlessBrowser browser;
    openPage(browser, page);
    ASSERT_EQ(browser.evaluate("trellisView.frameCount"), 2);
    EXPECT_EQ(browser.evaluate("trellisView.frame()"), 0);
    // The top of the rising square, seen from the front: Z runs up the screen.
    clickButton(browser, "Front");
    ScreenPoint before = screenPoint(browser, 0, 1, 0);
    clickButton(browser, "\xE2\x96\xB6");   // the next frame
    browser.waitFor("trellisView.frame() === 1", 5);
    EXPECT_EQ(browser.evaluate("document.getElementById('time').textContent"), "time 4800 (2 of 2)");
    int copies[] = {2, 3};
    expectEverySplineDrawn(browser.evaluate("trellisView.counts()"), page.cages.at("frames")[1].at("objects"), copies);
    ScreenPoint after = screenPoint(browser, 0, 1, 0);
    EXPECT_LT(after.y, before.y - 5) << "the square rose by 20 in the second frame";
    clickButton(browser, "\xE2\x96\xB6");
    browser.waitFor("trellisView.frame() === 0", 5);
    EXPECT_EQ(errorsOf(browser), "");
}

TEST(HtmlView, ViewButtonsLookAlongTheAxes) {
    Page page;
    ASSERT_NO_FATAL_FAILURE(buildPage(page, SCENE));
    HeadlessBrowser browser;
    openPage(browser, page);
    // Knots 0 and 1 of the lower square of "Ribs", (10, -10, 0) and (10, 10, 0)
    // (points 0 and 12 of its curve), and knot 0 of the upper one, (7, -7, 30).
    auto look = [&](const char* view) {
        clickButton(browser, view);
        return std::vector<ScreenPoint>{screenPoint(browser, 0, 0, 0), screenPoint(browser, 0, 0, 12),
                                        screenPoint(browser, 0, 1, 0)};
    };
    std::vector<ScreenPoint> top = look("Top");   // X right, Y up
    EXPECT_NEAR(top[1].x, top[0].x, 1.0);
    EXPECT_LT(top[1].y, top[0].y - 50);
    std::vector<ScreenPoint> front = look("Front");   // X right, Z up
    EXPECT_NEAR(front[1].x, front[0].x, 1.0);
    EXPECT_NEAR(front[1].y, front[0].y, 1.0);
    EXPECT_LT(front[2].y, front[0].y - 50);
    std::vector<ScreenPoint> left = look("Left");   // -Y right, Z up
    EXPECT_LT(left[1].x, left[0].x - 50);
    EXPECT_NEAR(left[1].y, left[0].y, 1.0);
    EXPECT_EQ(errorsOf(browser), "");
}

}  // namespace
