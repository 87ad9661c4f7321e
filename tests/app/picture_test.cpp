// Pictures and OBJ exports of cages: their structure against the cages the
// same run describes in JSON, not their bytes.
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <nlohmann/json.hpp>
#include "app/host/cage_view.h"
#include "support/app_test_support.h"

namespace {

// "Ribs": two matching squares, 4 ribs. "Links" (its node moved by 100 in
// X): a square, a hexagon and a 5-point star, joined by arc length.
const char* const TWO_CAGES = R"({"nodes": [
  {"name": "SquareLow", "shape": {"rectangle": {"length": 20, "width": 20}}},
  {"name": "SquareHigh", "position": [0, 0, 30], "rotation": [0, 0, 20], "shape": {"rectangle": {"length": 14, "width": 14}}},
  {"name": "Hexagon", "position": [0, 0, 30], "shape": {"ngon": {"radius": 12, "sides": 6}}},
  {"name": "Star", "position": [0, 0, 60], "shape": {"star": {"radius1": 14, "radius2": 6, "points": 5}}}],
  "trellis": [
    {"name": "Ribs", "splineType": "Smooth", "sections": ["SquareLow", "SquareHigh"]},
    {"name": "Links & <More>", "position": [100, 0, 0], "splineType": "Bezier", "sections": ["SquareLow", "Hexagon", "Star"]}]})";

struct Outputs {
    nlohmann::json cages;   // the JSON document of the same run
    std::string svg;
    std::string obj;
};

Outputs buildOutputs(const std::string& sceneText, const std::vector<std::string>& extra = {}) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", sceneText);
    std::vector<std::string> args{"build", scene, "--json", dir.path("c.json"), "--svg", dir.path("c.svg"),
                                  "--obj", dir.path("c.obj")};
    args.insert(args.end(), extra.begin(), extra.end());
    apptest::RunResult run = apptest::runInProcess(args);
    EXPECT_EQ(run.status, EXIT_OK) << run.err;
    return {nlohmann::json::parse(dir.read("c.json")), dir.read("c.svg"), dir.read("c.obj")};
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The text of object i's group: from its opening tag to the next object's or the legend.
std::string cageGroup(const std::string& svg, int i) {
    std::size_t start = svg.find("<g id=\"cage-" + std::to_string(i) + "\"");
    std::size_t next = svg.find("<g id=\"cage-" + std::to_string(i + 1) + "\"");
    if (next == std::string::npos) next = svg.find("<g class=\"legend\"");
    return start == std::string::npos ? std::string() : svg.substr(start, next - start);
}

// Every number of every coordinate attribute and path.
std::vector<std::string> coordinateTexts(const std::string& svg) {
    std::vector<std::string> numbers;
    std::regex attribute(R"re(\b(d|x|y|x1|y1|x2|y2|cx|cy|r|width|height|stroke-width)="([^"]*)")re");
    std::regex number(R"([^ MLZ]+)");
    for (std::sregex_iterator a(svg.begin(), svg.end(), attribute), end; a != end; ++a) {
        std::string value = (*a)[2];
        if (value == "100%") continue;
        for (std::sregex_iterator n(value.begin(), value.end(), number); n != end; ++n) numbers.push_back(n->str());
    }
    return numbers;
}

void expectFiniteCoordinates(const std::string& svg) {
    std::vector<std::string> numbers = coordinateTexts(svg);
    ASSERT_FALSE(numbers.empty());
    for (const std::string& text : numbers) {
        char* end = nullptr;
        double value = std::strtod(text.c_str(), &end);
        EXPECT_TRUE(*end == '\0' && std::isfinite(value)) << "\"" << text << "\"";
    }
}

TEST(SvgPicture, OnePathPerCageSplineInEachObjectsGroup) {
    Outputs out = buildOutputs(TWO_CAGES);
    const nlohmann::json& objects = out.cages.at("objects");
    ASSERT_EQ(objects.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        std::string group = cageGroup(out.svg, i);
        int copies = i == 0 ? 2 : 3;
        int splines = static_cast<int>(objects[i].at("splines").size());
        EXPECT_EQ(count(group, "<path "), splines) << "object " << i;
        std::string sections = group.substr(group.find("class=\"sections\""));
        EXPECT_EQ(count(sections.substr(0, sections.find("</g>")), "<path "), copies) << "object " << i;
    }
    expectFiniteCoordinates(out.svg);
}

TEST(SvgPicture, LegendNamesEachObjectWithTimeSplineTypeAndCounts) {
    Outputs out = buildOutputs(TWO_CAGES);
    std::string legend = out.svg.substr(out.svg.find("<g class=\"legend\""));
    EXPECT_NE(legend.find(">Ribs</text>"), std::string::npos);
    EXPECT_NE(legend.find(">Links &amp; &lt;More&gt;</text>"), std::string::npos) << "names are escaped";
    EXPECT_NE(legend.find("SplineType Smooth (1)"), std::string::npos);
    EXPECT_NE(legend.find("SplineType Bezier (2)"), std::string::npos);
    EXPECT_NE(legend.find("2 sections \xC2\xB7 4 connecting splines \xC2\xB7 16 knots"), std::string::npos) << legend;
    EXPECT_EQ(count(legend, "time 0 \xC2\xB7"), 2);
}

TEST(SvgPicture, LegendsOfManyObjectsDoNotOverlap) {
    std::string trellis;
    for (int i = 0; i < 5; ++i)
        trellis += std::string(i ? ", " : "") + "{\"name\": \"Cage" + std::to_string(i) +
                   "\", \"sections\": [\"SquareLow\", \"SquareHigh\"]}";
    std::string scene = std::string(TWO_CAGES).substr(0, std::string(TWO_CAGES).find("\"trellis\"")) +
                        "\"trellis\": [" + trellis + "]}";
    Outputs out = buildOutputs(scene);
    std::regex name(R"re(<text x="([0-9.]+)" y="([0-9.]+)"[^>]*font-weight="bold">Cage)re");
    std::vector<std::pair<double, double>> places;
    for (std::sregex_iterator m(out.svg.begin(), out.svg.end(), name), end; m != end; ++m)
        places.emplace_back(std::stod((*m)[1]), std::stod((*m)[2]));
    ASSERT_EQ(places.size(), 5u);
    // A legend block is three lines of text: blocks in one column stand at least that far apart.
    for (std::size_t a = 0; a < places.size(); ++a)
        for (std::size_t b = a + 1; b < places.size(); ++b)
            EXPECT_TRUE(std::fabs(places[a].first - places[b].first) >= 200.0 ||
                        std::fabs(places[a].second - places[b].second) >= 50.0)
                << "blocks " << a << " and " << b;
}

TEST(SvgPicture, DegenerateScenesStillGiveFiniteCoordinates) {
    const char* const scenes[] = {
        R"({"trellis": [{"name": "Nothing"}]})",
        R"({"nodes": [{"name": "Dot", "shape": {"circle": {"radius": 0}}}],
            "trellis": [{"name": "Cage", "sections": ["Dot", "Dot"]}]})",
        R"({"nodes": [{"name": "Far", "position": [3e38, -3e38, 0], "shape": {"circle": {"radius": 1e30}}}],
            "trellis": [{"name": "Cage", "position": [3e38, 0, 0], "sections": ["Far"]}]})",
    };
    for (const char* scene : scenes) {
        SCOPED_TRACE(scene);
        for (const char* view : {"top", "front", "left", "iso"}) expectFiniteCoordinates(buildOutputs(scene, {"--view", view}).svg);
    }
}

TEST(SvgPicture, KnotMarksAreLeftOutOfCrowdedPictures) {
    EXPECT_EQ(count(buildOutputs(TWO_CAGES).svg, "class=\"knots\""), 2);
    std::string crowded = R"({"nodes": [
        {"name": "A", "shape": {"ngon": {"radius": 10, "sides": 1000}}},
        {"name": "B", "position": [0, 0, 10], "shape": {"ngon": {"radius": 12, "sides": 1000}}},
        {"name": "C", "position": [0, 0, 20], "shape": {"ngon": {"radius": 14, "sides": 1000}}}],
      "trellis": [{"name": "Cage", "splineType": "Linear", "sections": ["A", "B", "C"]}]})";
    std::string svg = buildOutputs(crowded).svg;
    EXPECT_EQ(count(svg, "class=\"knots\""), 0);
    EXPECT_NE(svg.find("knots not marked"), std::string::npos) << "the key says so";
}

// ---- OBJ ----------------------------------------------------------------

struct ObjEdge {
    int from, to;   // 1-based vertex indices
    std::string group;
    bool operator==(const ObjEdge& o) const { return from == o.from && to == o.to && group == o.group; }
};

std::ostream& operator<<(std::ostream& out, const ObjEdge& e) {
    return out << e.group << ": " << e.from << "-" << e.to;
}

// An OBJ file read as a reader that takes only a line element's first
// edge would read it: every element's first two vertices.
struct ObjFile {
    int vertices = 0;
    std::vector<Point3> points;
    std::vector<std::string> groups;
    std::vector<ObjEdge> edges;
    int longerElements = 0;   // line elements of more than two vertices
};

ObjFile readObj(const std::string& text) {
    ObjFile obj;
    std::istringstream in(text);
    std::string line, group;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "v") {
            float x, y, z;
            words >> x >> y >> z;
            obj.points.emplace_back(x, y, z);
            ++obj.vertices;
        } else if (keyword == "g") {
            words >> group;
            obj.groups.push_back(group);
        } else if (keyword == "l") {
            std::vector<int> indices;
            for (int i; words >> i;) indices.push_back(i);
            if (indices.size() >= 2) obj.edges.push_back({indices[0], indices[1], group});
            obj.longerElements += indices.size() > 2;
        }
    }
    return obj;
}

// Points of a spline sampled with CAGE_SAMPLE_STEPS between knots: every
// segment gives its start knot and its steps; an open spline adds its last knot.
int sampledPoints(const nlohmann::json& spline) {
    int knots = static_cast<int>(spline.at("knots").size());
    bool closed = spline.at("closed");
    int segments = closed ? knots : knots - 1;
    return segments * (CAGE_SAMPLE_STEPS + 1) + (closed ? 0 : 1);
}

TEST(ObjExport, EverySegmentOfEverySampledCurveIsAnEdgeOfItsGroup) {
    Outputs out = buildOutputs(TWO_CAGES);
    ObjFile obj = readObj(out.obj);
    std::vector<std::string> groups{"Ribs_sections", "Ribs_connections", "Links_&_<More>_sections",
                                    "Links_&_<More>_connections"};
    EXPECT_EQ(obj.groups, groups);
    EXPECT_EQ(obj.longerElements, 0) << "every line element is one edge";

    // The curves' vertices follow one another in cage order; each curve is
    // a chain through its own, closed ones back to their first.
    std::vector<ObjEdge> expected;
    int next = 1;
    const int copies[] = {2, 3};
    for (int i = 0; i < 2; ++i) {
        const nlohmann::json& cage = out.cages.at("objects").at(i).at("splines");
        for (std::size_t s = 0; s < cage.size(); ++s) {
            const std::string& group = groups[2 * i + (static_cast<int>(s) < copies[i] ? 0 : 1)];
            int points = sampledPoints(cage[s]);
            for (int k = 0; k + 1 < points; ++k) expected.push_back({next + k, next + k + 1, group});
            if (cage[s].at("closed")) expected.push_back({next + points - 1, next, group});
            next += points;
        }
    }
    EXPECT_EQ(obj.vertices, next - 1);
    ASSERT_EQ(obj.edges.size(), expected.size());
    for (std::size_t e = 0; e < expected.size(); ++e) ASSERT_EQ(obj.edges[e], expected[e]) << "edge " << e;
}

TEST(ObjExport, VerticesAreInWorldSpace) {
    Outputs out = buildOutputs(TWO_CAGES);
    ObjFile obj = readObj(out.obj);
    // The first vertex of each object is the first knot of its first copy,
    // carried by the object's node: "Links" stands 100 further along X.
    const nlohmann::json& ribsKnot = out.cages["objects"][0]["splines"][0]["knots"][0]["point"];
    const nlohmann::json& linksKnot = out.cages["objects"][1]["splines"][0]["knots"][0]["point"];
    int ribsVertices = 0;
    for (const nlohmann::json& spline : out.cages["objects"][0]["splines"]) ribsVertices += sampledPoints(spline);
    auto pointOf = [](const nlohmann::json& p) { return Point3(p[0].get<float>(), p[1].get<float>(), p[2].get<float>()); };
    EXPECT_EQ(obj.points[0], pointOf(ribsKnot));
    EXPECT_EQ(obj.points[ribsVertices], pointOf(linksKnot) + Point3(100.0f, 0.0f, 0.0f));
}

TEST(PictureOutputs, OnlyOneOutputMayTakeStandardOutput) {
    apptest::TempDir dir;
    std::string scene = dir.write("s.json", TWO_CAGES);
    apptest::RunResult both = apptest::runInProcess({"build", scene, "--svg", "-", "--obj", "-"});
    EXPECT_EQ(both.status, EXIT_USAGE_ERROR);
    apptest::RunResult svg = apptest::runInProcess({"build", scene, "--svg", "-", "--view", "top"});
    ASSERT_EQ(svg.status, EXIT_OK) << svg.err;
    EXPECT_EQ(svg.out.rfind("<?xml", 0), 0u) << "the picture alone, no summary";
    EXPECT_NE(svg.out.find("top view"), std::string::npos);
    EXPECT_EQ(apptest::runInProcess({"build", scene, "--view", "side"}).status, EXIT_USAGE_ERROR);
    EXPECT_EQ(apptest::runInProcess({"build", scene, "--obj", scene}).status, EXIT_INPUT_ERROR)
        << "an export never replaces the scene";
}

}  // namespace
