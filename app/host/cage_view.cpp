#include "app/host/cage_view.h"
#include <cmath>

namespace {

bool isFinite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

WorldCurve toWorld(const PolyLine& line, const Matrix3& tm, bool sectionCopy) {
    WorldCurve curve;
    curve.closed = line.IsClosed() != 0;
    curve.sectionCopy = sectionCopy;
    for (const PolyPt& pt : line.pts) {
        Point3 p = pt.p * tm;
        if (!isFinite(p)) continue;
        curve.points.push_back(p);
        if (pt.flags & POLYPT_KNOT) curve.knots.push_back(p);
    }
    return curve;
}

}  // namespace

std::vector<WorldCurve> worldCurves(const CageView& view, int copies) {
    std::vector<WorldCurve> curves;
    for (int i = 0; i < view.curves.numLines(); ++i) curves.push_back(toWorld(view.curves.lines[i], view.objectTM, i < copies));
    return curves;
}
