// Drawing a shape into a graphics window, and snapping to its knots.
#include <cmath>
#include "shape.h"

// Every spline with knots becomes one polyline (the shape's own steps) with
// its closed flag and a marker on each knot. The stand-in records everything:
// the damage rectangle and the component flags only limit the host's redraw.
int BezierShape::Render(GraphicsWindow* gw, Material* ma, RECT* /*rp*/, int /*compFlags*/, int numMat) {
    if (!gw) return 0;
    if (ma && numMat > 0) gw->setMaterial(ma[0]);
    PolyShape curves;
    MakePolyShape(curves);
    for (int i = 0; i < SplineCount(); ++i) {
        const PolyLine& line = curves.lines[i];
        if (line.numPts() == 0) continue;
        std::vector<Point3> pts;
        for (const PolyPt& pt : line.pts) pts.push_back(pt.p);
        gw->polyline(line.numPts(), pts.data(), line.IsClosed());
        for (int k = 0; k < splines[i]->KnotCount(); ++k) gw->marker(splines[i]->GetKnotPoint(k));
    }
    return 1;
}

// Knots only (not handles or curve points). A knot is taken when it lies
// within snap->strength pixels and strictly nearer than what an earlier call
// already found.
void BezierShape::Snap(GraphicsWindow* gw, SnapInfo* snap, IPoint2* p, Matrix3& tm) {
    if (!gw || !snap || !p) return;
    for (const auto& spline : splines) {
        for (int k = 0; k < spline->KnotCount(); ++k) {
            Point3 world = spline->GetKnotPoint(k) * tm;
            IPoint2 screen = gw->WorldToScreen(world);
            float dist = static_cast<float>(std::hypot(double(screen.x) - p->x, double(screen.y) - p->y));
            if (dist > static_cast<float>(snap->strength)) continue;
            if (snap->found && !(dist < snap->bestDist)) continue;
            snap->found = TRUE;
            snap->bestDist = dist;
            snap->bestWorld = world;
            snap->bestScreen = screen;
        }
    }
}
