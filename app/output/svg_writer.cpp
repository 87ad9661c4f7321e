#include "app/output/svg_writer.h"
#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include "app/host/spline_sampler.h"
#include "app/output/page_bounds.h"
#include "app/output/svg_legend.h"
#include "app/output/output_text.h"
#include "app/output/svg_text.h"
#include "app/output/two_decimals.h"

namespace {

// Page layout, in pixels.
const double PAGE_WIDTH = 1024.0;
const double MARGIN = 32.0;
const double TITLE_HEIGHT = 30.0;
const double DRAWING_MAX_HEIGHT = 720.0;
const double LABEL_GAP = 8.0;

// Strokes for a picture of few splines; with many they thin out (down to
// MIN_STROKE_SCALE of these) so that a cage of 100 sections stays readable.
const double SECTION_STROKE = 2.2;
const double CONNECTION_STROKE = 1.2;
const double KNOT_RADIUS = 2.6;
const double STROKES_AT_FULL_WIDTH = 60.0;
const double MIN_STROKE_SCALE = 0.3;

// The distinct world knot points of a cage, in the order the curves reach them.
std::vector<Point3> distinctKnots(const CageSnapshot& snapshot) {
    std::set<std::tuple<float, float, float>> marked;
    std::vector<Point3> knots;
    forEachWorldKnot(snapshot, [&](const Point3& k) {
        if (marked.insert({k.x, k.y, k.z}).second) knots.push_back(k);
    });
    return knots;
}

// What the page needs to know before it draws: the extent of everything
// and of each cage, and how much there is.
struct PageMeasure {
    Bounds all;
    std::vector<Bounds> cages;
    std::size_t curves = 0;
    bool knotsMarked = true;
};

PageMeasure measurePage(const EvaluatedFrame& frame, ViewKind view, SplineSampler& sampler) {
    PageMeasure measure;
    for (const CageSnapshot& snapshot : frame.objects) {
        Bounds own = sampledBounds(snapshot.cage(), snapshot.view, view, sampler);
        measure.all.add(own);
        measure.cages.push_back(own);
        measure.curves += static_cast<std::size_t>(snapshot.cage().SplineCount());
    }
    measure.knotsMarked = knotsMarked(frame.objects);
    return measure;
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

// What draws a page's curves: the sampler that samples them again, spline
// by spline, after the page was measured, and where they go on the page.
struct CurveDrawing {
    SplineSampler& sampler;
    ViewKind view;
    const PageMapping& map;
};

// Room for a path's " LX Y": each number's room and the other characters.
const std::size_t PATH_POINT_ROOM = 2 * TWO_DECIMALS_SIZE + 3;

// One <path> per spline of the kind asked for, in cage order.
void writeCurvesGroup(OutputText& svg, const CageSnapshot& snapshot, const CurveDrawing& drawing, bool sectionCopies,
                      const std::string& style) {
    svg << "<g class=\"" << (sectionCopies ? "sections" : "connections") << "\" " << style << ">\n";
    const BezierShape& cage = snapshot.cage();
    const ViewKind view = drawing.view;
    const PageMapping& map = drawing.map;
    Point3 world;
    for (int c = 0; c < cage.SplineCount(); ++c) {
        if ((c < snapshot.sectionCopies) != sectionCopies) continue;
        const PolyLine& line = drawing.sampler.sample(*cage.GetSpline(c));
        svg << "<path d=\"";
        bool drawn = false;
        for (int i = 0; i < line.numPts(); ++i) {
            // A finite float point projects to finite doubles: sums of a
            // few floats cannot reach the double range.
            if (!worldPoint(snapshot.view, line, i, world)) continue;
            PagePoint p = projectToView(world, view);
            const double x = map.x(p), y = map.y(p);
            svg.put(PATH_POINT_ROOM, [&](char* at) {
                at = writeTwoDecimals(drawn ? putText(at, " L") : putText(at, "M"), x);
                return writeTwoDecimals(putText(at, " "), y);
            });
            drawn = true;
        }
        if (line.IsClosed() && drawn) svg << " Z";
        svg << "\"/>\n";
    }
    svg << "</g>\n";
}

void writeKnotsGroup(OutputText& svg, const CageSnapshot& snapshot, ViewKind view, const PageMapping& map,
                     double radius) {
    svg << "<g class=\"knots\" fill=\"" << SECTION_COLOUR << "\">\n";
    for (const Point3& knot : distinctKnots(snapshot)) {
        PagePoint k = projectToView(knot, view);
        svg << "<circle cx=\"" << svgNumber(map.x(k)) << "\" cy=\"" << svgNumber(map.y(k)) << "\" r=\""
            << svgNumber(radius) << "\"/>\n";
    }
    svg << "</g>\n";
}

struct Strokes {
    double section, connection, knot;
    bool markKnots;
};

Strokes strokesFor(const PageMeasure& measure) {
    double scale = std::clamp(std::sqrt(STROKES_AT_FULL_WIDTH / std::max<double>(double(measure.curves), 1.0)),
                              MIN_STROKE_SCALE, 1.0);
    return {SECTION_STROKE * scale, CONNECTION_STROKE * scale, KNOT_RADIUS * scale, measure.knotsMarked};
}

std::string objectLabel(const CageSnapshot& snapshot, const Bounds& own, const PageMapping& map, int index) {
    if (own.empty) return "";
    PagePoint top{(own.minRight + own.maxRight) / 2.0, own.maxUp};
    return "<text class=\"label\" x=\"" + svgNumber(map.x(top)) + "\" y=\"" + svgNumber(map.y(top) - LABEL_GAP) +
           "\" text-anchor=\"middle\" font-size=\"14\" font-weight=\"bold\" fill=\"" + connectionColour(index) + "\">" +
           xmlEscape(shortenedName(snapshot.name)) + "</text>\n";
}

void writeCageGroup(OutputText& svg, const CageSnapshot& snapshot, const CurveDrawing& drawing, const Bounds& own,
                    const Strokes& strokes, int index) {
    const ViewKind view = drawing.view;
    const PageMapping& map = drawing.map;
    svg << "<g id=\"cage-" << index << "\" class=\"cage\" data-name=\"" << xmlEscape(snapshot.name) << "\">\n";
    writeCurvesGroup(svg, snapshot, drawing, false,
                     "fill=\"none\" stroke=\"" + connectionColour(index) + "\" stroke-width=\"" +
                         svgNumber(strokes.connection) + "\" stroke-linejoin=\"round\"");
    writeCurvesGroup(svg, snapshot, drawing, true,
                     "fill=\"none\" stroke=\"" + std::string(SECTION_COLOUR) + "\" stroke-width=\"" +
                         svgNumber(strokes.section) + "\" stroke-linejoin=\"round\"");
    if (strokes.markKnots) writeKnotsGroup(svg, snapshot, view, map, strokes.knot);
    svg << objectLabel(snapshot, own, map, index) << "</g>\n";
}

std::string titleText(const EvaluatedFrame& frame, ViewKind view, int timesInRun) {
    std::string title = "Trellis cages at time " + std::to_string(frame.time) + ", " + viewName(view) + " view";
    if (timesInRun > 1) title += " (the first of " + std::to_string(timesInRun) + " times)";
    return title;
}

}  // namespace

void writeCagesSvg(std::ostream& out, const EvaluatedFrame& frame, ViewKind view, int timesInRun) {
    SplineSampler sampler;
    PageMeasure measure = measurePage(frame, view, sampler);
    PageMapping map(measure.all);
    Strokes strokes = strokesFor(measure);
    SvgLegend legend(frame.objects, map.drawingBottom() + MARGIN, PAGE_WIDTH, MARGIN, strokes.markKnots);
    double height = legend.bottom() + MARGIN;

    OutputText svg(out);
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << svgNumber(PAGE_WIDTH) << "\" height=\""
        << svgNumber(height) << "\" viewBox=\"0 0 " << svgNumber(PAGE_WIDTH) << " " << svgNumber(height)
        << "\" font-family=\"DejaVu Sans, Helvetica, Arial, sans-serif\">\n";
    svg << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg << "<text class=\"title\" x=\"" << svgNumber(MARGIN) << "\" y=\"" << svgNumber(MARGIN)
        << "\" font-size=\"16\" fill=\"#212529\">" << xmlEscape(titleText(frame, view, timesInRun)) << "</text>\n";
    const CurveDrawing drawing{sampler, view, map};
    for (std::size_t i = 0; i < frame.objects.size(); ++i)
        writeCageGroup(svg, frame.objects[i], drawing, measure.cages[i], strokes, static_cast<int>(i));
    svg << legend.render(SECTION_COLOUR, strokes.section, strokes.connection, strokes.knot) << "</svg>\n";
    svg.finish();
}
