// One cubic segment of a Spline3D as its four control points: private to the
// stand-in's spline, length and polyline code.
#pragma once
#include "spline3d.h"

struct SplineSegment {
    Point3 p0, p1, p2, p3;
    // The segment leaves a knot of line type LTYPE_LINE: it is the straight
    // chord p0-p3 and its handles do not shape it.
    bool line;
};

// The segment that leaves knot `seg`; seg must lie in [0, spline.Segments()).
inline SplineSegment splineSegment(const Spline3D& spline, int seg) {
    int next = (seg + 1) % spline.KnotCount();
    return {spline.GetKnotPoint(seg), spline.GetOutVec(seg), spline.GetInVec(next),
            spline.GetKnotPoint(next), spline.GetLineType(seg) == LTYPE_LINE};
}

// The cubic in Bernstein form, float, in this fixed order of operations.
inline Point3 bernstein(const SplineSegment& c, float u) {
    float s = 1.0f - u;
    float b0 = s * s * s;
    float b1 = 3.0f * u * s * s;
    float b2 = 3.0f * u * u * s;
    float b3 = u * u * u;
    return c.p0 * b0 + c.p1 * b1 + c.p2 * b2 + c.p3 * b3;
}

// The point at u of a segment: on the chord for a line, on the cubic
// otherwise. Extrapolates a little for u a little outside [0, 1], so the
// float just above 1 lands next to the end knot.
inline Point3 segmentPoint(const SplineSegment& c, float u) {
    if (c.line) return c.p0 + (c.p3 - c.p0) * u;
    return bernstein(c, u);
}

inline Point3 bernsteinDerivative(const SplineSegment& c, float u) {
    float s = 1.0f - u;
    return ((c.p1 - c.p0) * (s * s) + (c.p2 - c.p1) * (2.0f * u * s) + (c.p3 - c.p2) * (u * u)) *
           3.0f;
}
