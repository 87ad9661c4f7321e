// Polylines: splines sampled into them, and the box of a polyline shape.
#include <algorithm>
#include <cmath>
#include "shape.h"
#include "shapes/shape_sampling.h"
#include "splines/spline_segment.h"

namespace {

// Relative tolerance of "lies on the chord", about float resolution: handles
// computed 1/3 along the chord and rounded to float must count as on it.
const double CHORD_TOLERANCE = 1e-5;
// Adaptive sampling: one interpolated point per this much turning (radians,
// 10 degrees) of the control polygon, which bounds the turning of the curve.
const double ADAPTIVE_TURN_PER_STEP = 3.14159265358979323846 / 18.0;

bool onChord(const Point3& h, const Point3& a, const Point3& b) {
    double cx = double(b.x) - a.x, cy = double(b.y) - a.y, cz = double(b.z) - a.z;
    double dx = double(h.x) - a.x, dy = double(h.y) - a.y, dz = double(h.z) - a.z;
    double len2 = cx * cx + cy * cy + cz * cz;
    if (!(len2 > 0.0)) return dx == 0.0 && dy == 0.0 && dz == 0.0;
    double t = (dx * cx + dy * cy + dz * cz) / len2;
    if (t < -CHORD_TOLERANCE || t > 1.0 + CHORD_TOLERANCE) return false;
    double px = dx - cx * t, py = dy - cy * t, pz = dz - cz * t;
    return px * px + py * py + pz * pz <= CHORD_TOLERANCE * CHORD_TOLERANCE * len2;
}

// Sum of the angles between consecutive non-zero legs of the control polygon.
double controlTurning(const SplineSegment& s) {
    Point3 legs[3] = {s.p1 - s.p0, s.p2 - s.p1, s.p3 - s.p2};
    double turning = 0.0;
    const Point3* last = nullptr;
    for (const Point3& leg : legs) {
        if (!(leg.LengthSquared() > 0.0f)) continue;
        if (last) {
            double c = DotProd(Normalize(*last), Normalize(leg));
            turning += std::acos(std::clamp(c, -1.0, 1.0));
        }
        last = &leg;
    }
    return turning;
}

int adaptiveSteps(const Spline3D& spline, int seg) {
    if (segmentIsStraight(spline, seg)) return 0;
    double steps = std::ceil(controlTurning(splineSegment(spline, seg)) / ADAPTIVE_TURN_PER_STEP);
    // Not-a-number turning (non-finite points) gives no extra points.
    if (!(steps > 0.0)) return 0;
    return static_cast<int>(std::min(steps, double(MAX_POLY_STEPS)));
}

int stepsOfSegment(const Spline3D& spline, int seg, int steps, bool optimize) {
    if (optimize && segmentIsStraight(spline, seg)) return 0;
    if (steps == ADAPTIVE_STEPS) return adaptiveSteps(spline, seg);
    return std::clamp(steps, 0, MAX_POLY_STEPS);
}

}  // namespace

bool segmentIsStraight(const Spline3D& spline, int seg) {
    SplineSegment s = splineSegment(spline, seg);
    return s.line || (onChord(s.p1, s.p0, s.p3) && onChord(s.p2, s.p0, s.p3));
}

void sampleSpline(const Spline3D& spline, int steps, bool optimize, PolyLine& line) {
    line.pts.clear();
    line.closed = spline.Closed() != 0;
    int segments = spline.Segments();
    // Fixed steps give the point count up front: a cage's curves are
    // millions of points, each growth of the list a copy of them.
    if (steps >= 0) line.pts.reserve(static_cast<std::size_t>(segments) * static_cast<std::size_t>(steps + 1) + 1);
    for (int seg = 0; seg < segments; ++seg) {
        line.Append(PolyPt(spline.GetKnotPoint(seg), POLYPT_KNOT));
        int n = stepsOfSegment(spline, seg, steps, optimize);
        if (n == 0) continue;
        // The points InterpBezier3D gives, from control points gathered once
        // for all the segment's steps rather than once for each.
        SplineSegment segment = splineSegment(spline, seg);
        for (int k = 1; k <= n; ++k) {
            float u = static_cast<float>(k) / static_cast<float>(n + 1);
            line.Append(PolyPt(segmentPoint(segment, u), POLYPT_INTERPOLATED));
        }
    }
    // An open spline ends on its last knot; a closed one already came back to knot 0.
    if (!spline.Closed() && spline.KnotCount() > 0)
        line.Append(PolyPt(spline.GetKnotPoint(spline.KnotCount() - 1), POLYPT_KNOT));
}

// One polyline per spline, in spline order, so polyline i is spline i.
void BezierShape::MakePolyShape(PolyShape& pshp, int stepCount, BOOL optimize) const {
    int resolved = stepCount == PSHAPE_BUILTIN_STEPS ? steps : stepCount;
    if (resolved < 0 && resolved != ADAPTIVE_STEPS) resolved = 0;
    pshp.NewShape();
    for (const auto& spline : splines) sampleSpline(*spline, resolved, optimize != FALSE, pshp.NewLine());
}

Box3 PolyShape::BuildBoundingBox(const Matrix3* tm) const {
    Box3 box;
    for (const PolyLine& line : lines)
        for (const PolyPt& pt : line.pts) box += tm ? pt.p * *tm : pt.p;
    return box;
}
