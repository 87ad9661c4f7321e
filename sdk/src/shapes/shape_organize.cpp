// The curve hierarchy of a shape: which closed curve lies inside which.
#include <cmath>
#include "shapes/polygon2d.h"
#include "shape.h"

namespace {

bool enclosesArea(const PolyLine& line) { return line.IsClosed() && line.numPts() >= 3; }

// The smallest closed curve (other than `curve`) that contains the curve's
// first point and is larger than it; -1 when none does. Requiring a larger
// area keeps two coincident curves from each being the other's parent.
int immediateParent(const PolyShape& lines, const std::vector<double>& areas, int curve) {
    int parent = -1;
    double curveArea = std::fabs(areas[curve]);
    for (int j = 0; j < lines.numLines(); ++j) {
        if (j == curve || !enclosesArea(lines.lines[j])) continue;
        double area = std::fabs(areas[j]);
        if (!(area > curveArea)) continue;
        if (!insidePolygonXY(lines.lines[curve][0], lines.lines[j])) continue;
        if (parent < 0 || area < std::fabs(areas[parent])) parent = j;
    }
    return parent;
}

}  // namespace

// Works on the curves sampled with the shape's own steps and projected onto
// the XY plane (the stand-in's choice: the host may use the shape's plane).
// Open curves have no parent and are never reversed.
ShapeHierarchy& BezierShape::OrganizeCurves(TimeValue /*t*/, ShapeHierarchy* hier) {
    ShapeHierarchy& result = hier ? *hier : hierarchy;
    PolyShape lines;
    MakePolyShape(lines);
    result.New(lines.numLines());
    std::vector<double> areas(lines.numLines(), 0.0);
    for (int i = 0; i < lines.numLines(); ++i)
        if (enclosesArea(lines.lines[i])) areas[i] = signedAreaXY(lines.lines[i]);
    for (int i = 0; i < lines.numLines(); ++i) {
        if (!enclosesArea(lines.lines[i])) continue;
        result.parents[i] = immediateParent(lines, areas, i);
        result.reverse[i] = areas[i] < 0.0 ? 1 : 0;
    }
    return result;
}
