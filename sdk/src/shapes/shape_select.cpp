// Hit testing of a shape's sampled curves against a point or rectangle region, in pixels.
#include <algorithm>
#include <cmath>
#include <vector>
#include "shape.h"
#include "shapes/shape_sampling.h"

namespace {

struct ScreenLine {
    std::vector<IPoint2> pts;
    bool closed;
    // Segments of the polyline, the closing one included when closed.
    int segmentCount() const {
        int n = static_cast<int>(pts.size());
        if (n < 2) return 0;
        return closed ? n : n - 1;
    }
    const IPoint2& from(int seg) const { return pts[seg]; }
    const IPoint2& to(int seg) const { return pts[(seg + 1) % pts.size()]; }
};

double pixelDistance(const IPoint2& p, const IPoint2& a, const IPoint2& b) {
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    double px = double(p.x) - a.x, py = double(p.y) - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(px - t * dx, py - t * dy);
}

bool nearPoint(const ScreenLine& line, const HitRegion& hr) {
    if (line.pts.size() == 1) return pixelDistance(hr.pt, line.pts[0], line.pts[0]) <= hr.epsilon;
    for (int seg = 0; seg < line.segmentCount(); ++seg)
        if (pixelDistance(hr.pt, line.from(seg), line.to(seg)) <= hr.epsilon) return true;
    return false;
}

bool inRect(const IPoint2& p, const RECT& r) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

double coord(long v) { return static_cast<double>(v); }

// Liang-Barsky clipping: does segment ab meet the rectangle?
bool segmentMeetsRect(const IPoint2& a, const IPoint2& b, const RECT& r) {
    double t0 = 0.0, t1 = 1.0;
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - coord(r.left), coord(r.right) - a.x, a.y - coord(r.top), coord(r.bottom) - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

bool crossesRect(const ScreenLine& line, const RECT& r) {
    for (const IPoint2& p : line.pts)
        if (inRect(p, r)) return true;
    for (int seg = 0; seg < line.segmentCount(); ++seg)
        if (segmentMeetsRect(line.from(seg), line.to(seg), r)) return true;
    return false;
}

bool insideRect(const ScreenLine& line, const RECT& r) {
    return std::all_of(line.pts.begin(), line.pts.end(), [&](const IPoint2& p) { return inRect(p, r); });
}

std::vector<ScreenLine> projectCurves(const PolyShape& curves, const GraphicsWindow& gw) {
    std::vector<ScreenLine> lines;
    for (const PolyLine& curve : curves.lines) {
        ScreenLine line{{}, curve.IsClosed() != 0};
        for (const PolyPt& pt : curve.pts) line.pts.push_back(gw.ObjectToScreen(pt.p));
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

// A point region hits when any curve passes within hr->epsilon pixels. A
// crossing rectangle hits when any curve reaches into it, a window rectangle
// when the shape has points and all of them lie inside. Every hit answers at
// once, so abortOnHit changes nothing here.
int BezierShape::Select(GraphicsWindow* gw, Material* /*ma*/, HitRegion* hr, int /*abortOnHit*/) {
    if (!gw || !hr) return 0;
    PolyShape curves;
    MakePolyShape(curves);
    std::vector<ScreenLine> lines = projectCurves(curves, *gw);
    if (hr->type == POINT_RGN)
        return std::any_of(lines.begin(), lines.end(), [&](const ScreenLine& l) { return nearPoint(l, *hr); });
    if (hr->type != RECT_RGN) return 0;
    if (hr->crossing)
        return std::any_of(lines.begin(), lines.end(), [&](const ScreenLine& l) { return crossesRect(l, hr->rect); });
    bool anyPoint = std::any_of(lines.begin(), lines.end(), [](const ScreenLine& l) { return !l.pts.empty(); });
    return anyPoint && std::all_of(lines.begin(), lines.end(), [&](const ScreenLine& l) { return insideRect(l, hr->rect); });
}
