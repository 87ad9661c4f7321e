// Arc length of spline segments: adaptive Gauss-Legendre quadrature of the
// speed |B'(u)|, in double, rounded to float once at the end.
#include "spline3d.h"
#include <cmath>
#include "splines/spline_segment.h"

namespace {

// The cubic's control points in double.
struct Cubic {
    double p[4][3];
};

Cubic toCubic(const SplineSegment& s) {
    Cubic c;
    const Point3* pts[4] = {&s.p0, &s.p1, &s.p2, &s.p3};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 3; ++k) c.p[i][k] = (*pts[i])[k];
    return c;
}

double speed(const Cubic& c, double u) {
    double s = 1.0 - u;
    double sum = 0.0;
    for (int k = 0; k < 3; ++k) {
        double d = 3.0 * ((c.p[1][k] - c.p[0][k]) * s * s + (c.p[2][k] - c.p[1][k]) * 2.0 * u * s +
                          (c.p[3][k] - c.p[2][k]) * u * u);
        sum += d * d;
    }
    return std::sqrt(sum);
}

// Five-point Gauss-Legendre rule on [a, b] (nodes and weights from
// Abramowitz and Stegun, table 25.4).
double gauss5(const Cubic& c, double a, double b) {
    static const double nodes[5] = {0.0, 0.5384693101056831, -0.5384693101056831, 0.9061798459386640,
                                    -0.9061798459386640};
    static const double weights[5] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                                      0.2369268850561891, 0.2369268850561891};
    double half = 0.5 * (b - a), mid = 0.5 * (a + b), sum = 0.0;
    for (int i = 0; i < 5; ++i) sum += weights[i] * speed(c, mid + half * nodes[i]);
    return sum * half;
}

// Bisects until the halves agree with the whole within `tolerance`. The depth
// bound keeps a cusp (where |B'| has a kink) from recursing without end.
double adaptiveLength(const Cubic& c, double a, double b, double whole, double tolerance, int depth) {
    double mid = 0.5 * (a + b);
    double left = gauss5(c, a, mid), right = gauss5(c, mid, b);
    if (depth == 0 || std::fabs(left + right - whole) <= tolerance) return left + right;
    return adaptiveLength(c, a, mid, left, 0.5 * tolerance, depth - 1) +
           adaptiveLength(c, mid, b, right, 0.5 * tolerance, depth - 1);
}

bool isFinite(const SplineSegment& s) {
    for (const Point3* p : {&s.p0, &s.p1, &s.p2, &s.p3})
        if (!std::isfinite(p->x) || !std::isfinite(p->y) || !std::isfinite(p->z)) return false;
    return true;
}

double segmentLength(const SplineSegment& s) {
    Cubic c = toCubic(s);
    if (s.line) return std::hypot(c.p[3][0] - c.p[0][0], c.p[3][1] - c.p[0][1], c.p[3][2] - c.p[0][2]);
    double estimate = gauss5(c, 0.0, 1.0);
    // Non-finite control points: the plain rule's infinity or not-a-number is
    // the answer, rather than bisecting on comparisons that never succeed.
    // A zero estimate means B' vanishes at five nodes, so (being quadratic)
    // everywhere: the segment is a point.
    if (!isFinite(s) || estimate == 0.0) return estimate;
    return adaptiveLength(c, 0.0, 1.0, estimate, 1e-10 * estimate, 16);
}

}  // namespace

float Spline3D::SegmentLength(int seg) const {
    if (seg < 0 || seg >= Segments()) return 0.0f;
    return static_cast<float>(segmentLength(splineSegment(*this, seg)));
}

float Spline3D::SplineLength() const {
    double total = 0.0;
    for (int seg = 0; seg < Segments(); ++seg) total += segmentLength(splineSegment(*this, seg));
    return static_cast<float>(total);
}
