#include "app/output/svg_writer.h"
#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include "app/output/svg_legend.h"
#include "app/output/svg_text.h"

namespace {

// Page layout, in pixels.
const double PAGE_WIDTH = 1024.0;
const double MARGIN = 32.0;
const double TITLE_HEIGHT = 30.0;
const double DRAWING_MAX_HEIGHT = 720.0;
const double LABEL_GAP = 8.0;

const char* const SECTION_COLOUR = "#343a40";

// Strokes for a picture of few splines; with many they thin out (down to
// MIN_STROKE_SCALE of these) so that a cage of 100 sections stays readable.
const double SECTION_STROKE = 2.2;
const double CONNECTION_STROKE = 1.2;
const double KNOT_RADIUS = 2.6;
const double STROKES_AT_FULL_WIDTH = 60.0;
const double MIN_STROKE_SCALE = 0.3;

struct PageCurve {
    bool closed = false;
    bool sectionCopy = false;
    std::vector<PagePoint> points;
};

struct PageCage {
    std::vector<PageCurve> curves;
    std::vector<PagePoint> knots;   // one per distinct world knot point
};

PageCage projectCage(const CageSnapshot& snapshot, ViewKind view) {
    PageCage page;
    std::set<std::tuple<float, float, float>> marked;
    for (const WorldCurve& curve : worldCurves(snapshot.view, snapshot.sectionCopies)) {
        PageCurve projected{curve.closed, curve.sectionCopy, {}};
        for (const Point3& p : curve.points) projected.points.push_back(projectToView(p, view));
        for (const Point3& k : curve.knots)
            if (marked.insert({k.x, k.y, k.z}).second) page.knots.push_back(projectToView(k, view));
        page.curves.push_back(std::move(projected));
    }
    return page;
}

struct Bounds {
    double minRight = 0.0, maxRight = 0.0, minUp = 0.0, maxUp = 0.0;
    bool empty = true;
    void add(const PagePoint& p) {
        if (!std::isfinite(p.right) || !std::isfinite(p.up)) return;
        if (empty) {
            minRight = maxRight = p.right;
            minUp = maxUp = p.up;
            empty = false;
            return;
        }
        minRight = std::min(minRight, p.right);
        maxRight = std::max(maxRight, p.right);
        minUp = std::min(minUp, p.up);
        maxUp = std::max(maxUp, p.up);
    }
    double width() const { return maxRight - minRight; }
    double height() const { return maxUp - minUp; }
};

Bounds boundsOf(const std::vector<PageCage>& cages) {
    Bounds bounds;
    for (const PageCage& cage : cages)
        for (const PageCurve& curve : cage.curves)
            for (const PagePoint& p : curve.points) bounds.add(p);
    return bounds;
}

// Scene units to pixels, fitting the drawing into the page width and the
// height limit. A picture without extent (nothing drawn, or a cage seen
// edge-on) is given a unit extent so that the scale stays finite.
class PageMapping {
public:
    explicit PageMapping(const Bounds& b) : bounds(b) {
        double width = std::max(b.width(), 1e-9), height = std::max(b.height(), 1e-9);
        if (b.empty || !(width < 1e300 && height < 1e300)) width = height = 1.0;
        scale = std::min((PAGE_WIDTH - 2.0 * MARGIN) / width, DRAWING_MAX_HEIGHT / height);
        drawingWidth = b.width() * scale;
        drawingHeight = std::max(b.height() * scale, 1.0);
    }
    double x(const PagePoint& p) const {
        return (PAGE_WIDTH - drawingWidth) / 2.0 + (p.right - bounds.minRight) * scale;
    }
    double y(const PagePoint& p) const { return TITLE_HEIGHT + MARGIN + (bounds.maxUp - p.up) * scale; }
    double drawingBottom() const { return TITLE_HEIGHT + MARGIN + drawingHeight; }

private:
    Bounds bounds;
    double scale = 1.0, drawingWidth = 0.0, drawingHeight = 0.0;
};

std::string pathData(const PageCurve& curve, const PageMapping& map) {
    std::string d;
    for (const PagePoint& p : curve.points) {
        if (!std::isfinite(p.right) || !std::isfinite(p.up)) continue;
        d += (d.empty() ? "M" : " L") + svgNumber(map.x(p)) + " " + svgNumber(map.y(p));
    }
    if (curve.closed && !d.empty()) d += " Z";
    return d;
}

// One <path> per spline of the kind asked for, in cage order.
std::string curvesGroup(const PageCage& cage, bool sectionCopies, const PageMapping& map, const std::string& style) {
    std::string svg = "<g class=\"" + std::string(sectionCopies ? "sections" : "connections") + "\" " + style + ">\n";
    for (const PageCurve& curve : cage.curves)
        if (curve.sectionCopy == sectionCopies) svg += "<path d=\"" + pathData(curve, map) + "\"/>\n";
    return svg + "</g>\n";
}

std::string knotsGroup(const PageCage& cage, const PageMapping& map, double radius) {
    std::string svg = "<g class=\"knots\" fill=\"" + std::string(SECTION_COLOUR) + "\">\n";
    for (const PagePoint& k : cage.knots)
        svg += "<circle cx=\"" + svgNumber(map.x(k)) + "\" cy=\"" + svgNumber(map.y(k)) + "\" r=\"" +
               svgNumber(radius) + "\"/>\n";
    return svg + "</g>\n";
}

struct Strokes {
    double section, connection, knot;
    bool markKnots;
};

Strokes strokesFor(const std::vector<PageCage>& cages) {
    std::size_t curves = 0, knots = 0;
    for (const PageCage& cage : cages) {
        curves += cage.curves.size();
        knots += cage.knots.size();
    }
    double scale = std::clamp(std::sqrt(STROKES_AT_FULL_WIDTH / std::max<double>(double(curves), 1.0)),
                              MIN_STROKE_SCALE, 1.0);
    return {SECTION_STROKE * scale, CONNECTION_STROKE * scale, KNOT_RADIUS * scale,
            knots <= static_cast<std::size_t>(SVG_MAX_KNOT_MARKS)};
}

std::string objectLabel(const CageSnapshot& snapshot, const PageCage& cage, const PageMapping& map, int index) {
    Bounds own;
    for (const PageCurve& curve : cage.curves)
        for (const PagePoint& p : curve.points) own.add(p);
    if (own.empty) return "";
    PagePoint top{(own.minRight + own.maxRight) / 2.0, own.maxUp};
    return "<text class=\"label\" x=\"" + svgNumber(map.x(top)) + "\" y=\"" + svgNumber(map.y(top) - LABEL_GAP) +
           "\" text-anchor=\"middle\" font-size=\"14\" font-weight=\"bold\" fill=\"" + connectionColour(index) + "\">" +
           xmlEscape(shortenedName(snapshot.name)) + "</text>\n";
}

std::string cageGroup(const CageSnapshot& snapshot, const PageCage& cage, const PageMapping& map,
                      const Strokes& strokes, int index) {
    std::string svg = "<g id=\"cage-" + std::to_string(index) + "\" class=\"cage\" data-name=\"" +
                      xmlEscape(snapshot.name) + "\">\n";
    svg += curvesGroup(cage, false, map,
                       "fill=\"none\" stroke=\"" + connectionColour(index) + "\" stroke-width=\"" +
                           svgNumber(strokes.connection) + "\" stroke-linejoin=\"round\"");
    svg += curvesGroup(cage, true, map,
                       "fill=\"none\" stroke=\"" + std::string(SECTION_COLOUR) + "\" stroke-width=\"" +
                           svgNumber(strokes.section) + "\" stroke-linejoin=\"round\"");
    if (strokes.markKnots) svg += knotsGroup(cage, map, strokes.knot);
    svg += objectLabel(snapshot, cage, map, index);
    return svg + "</g>\n";
}

std::string titleText(const EvaluatedFrame& frame, ViewKind view, int timesInRun) {
    std::string title = "Trellis cages at time " + std::to_string(frame.time) + ", " + viewName(view) + " view";
    if (timesInRun > 1) title += " (the first of " + std::to_string(timesInRun) + " times)";
    return title;
}

}  // namespace

std::string cagesToSvg(const EvaluatedFrame& frame, ViewKind view, int timesInRun) {
    std::vector<PageCage> cages;
    for (const CageSnapshot& snapshot : frame.objects) cages.push_back(projectCage(snapshot, view));
    PageMapping map(boundsOf(cages));
    Strokes strokes = strokesFor(cages);
    SvgLegend legend(frame.objects, map.drawingBottom() + MARGIN, PAGE_WIDTH, MARGIN, strokes.markKnots);
    double height = legend.bottom() + MARGIN;

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + svgNumber(PAGE_WIDTH) +
                      "\" height=\"" + svgNumber(height) + "\" viewBox=\"0 0 " + svgNumber(PAGE_WIDTH) + " " +
                      svgNumber(height) + "\" font-family=\"DejaVu Sans, Helvetica, Arial, sans-serif\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg += "<text class=\"title\" x=\"" + svgNumber(MARGIN) + "\" y=\"" + svgNumber(MARGIN) +
           "\" font-size=\"16\" fill=\"#212529\">" + xmlEscape(titleText(frame, view, timesInRun)) + "</text>\n";
    for (std::size_t i = 0; i < cages.size(); ++i)
        svg += cageGroup(frame.objects[i], cages[i], map, strokes, static_cast<int>(i));
    svg += legend.render(SECTION_COLOUR, strokes.section, strokes.connection, strokes.knot);
    return svg + "</svg>\n";
}
