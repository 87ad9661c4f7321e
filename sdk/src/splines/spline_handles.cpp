// Handles of automatic and corner knots, computed from the knot points.
//
// Worked in double and rounded once, so that finite input cannot overflow to
// an infinity in a difference and then give a not-a-number in a normalisation.
#include "spline3d.h"
#include <algorithm>
#include <cmath>

namespace {

struct Vec {
    double x, y, z;
};
Vec toVec(const Point3& p) { return {p.x, p.y, p.z}; }
Point3 toPoint(const Vec& v) { return Point3(v.x, v.y, v.z); }
Vec sub(const Vec& a, const Vec& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec addScaled(const Vec& a, const Vec& d, double s) { return {a.x + d.x * s, a.y + d.y * s, a.z + d.z * s}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(const Vec& v) { return std::sqrt(dot(v, v)); }

// The knots around one knot; a missing neighbour (open end) is null.
struct Neighbourhood {
    Vec point;
    const Vec* prev;
    const Vec* next;
};

// Handle 1/3 of the way toward a neighbour: the two handles of a segment
// between corner knots then lie on its chord, so the segment is straight and
// evenly parametrised. Without the neighbour the handle lies on the knot.
Vec thirdToward(const Vec& p, const Vec* neighbour) {
    if (!neighbour) return p;
    return addScaled(p, sub(*neighbour, p), 1.0 / 3.0);
}

// Smooth handle on one side: along the knot's tangent `dir`, of length
// 2c / (3 (1 + cos a)), c the distance to the neighbour and a the angle
// between the tangent and that chord (clamped to [0, 90] degrees). For knots
// on a circle this is the circular-arc handle (4/3) r tan(arc / 4), so a
// regular polygon of smooth knots gives a close circle.
Vec smoothHandle(const Vec& p, const Vec& neighbour, const Vec& dir) {
    Vec chord = sub(neighbour, p);
    double c = length(chord);
    if (!(c > 0.0)) return p;
    double cosA = std::clamp(dot(dir, chord) / c, 0.0, 1.0);
    return addScaled(p, dir, 2.0 * c / (3.0 * (1.0 + cosA)));
}

// Automatic knot: the tangent runs parallel to next - prev. At an open end
// the one handle points 1/3 toward the only neighbour. When the two
// neighbours coincide (a closed spline of two knots) there is no tangent
// direction, and the handles fall back to the corner rule.
void smoothHandles(const Neighbourhood& n, Vec& in, Vec& out) {
    if (!n.prev || !n.next) {
        in = thirdToward(n.point, n.prev);
        out = thirdToward(n.point, n.next);
        return;
    }
    Vec span = sub(*n.next, *n.prev);
    double spanLength = length(span);
    if (!(spanLength > 0.0)) {
        in = thirdToward(n.point, n.prev);
        out = thirdToward(n.point, n.next);
        return;
    }
    Vec dir = {span.x / spanLength, span.y / spanLength, span.z / spanLength};
    Vec back = {-dir.x, -dir.y, -dir.z};
    in = smoothHandle(n.point, *n.prev, back);
    out = smoothHandle(n.point, *n.next, dir);
}

}  // namespace

void Spline3D::ComputeBezPoints() {
    int n = KnotCount();
    // A single knot has no neighbour to aim at: its handles stay on the point
    // (automatic and corner alike), and a Bezier knot keeps its own.
    std::vector<Vec> points(n);
    for (int i = 0; i < n; ++i) points[i] = toVec(knots[i].Knot());
    for (int i = 0; i < n; ++i) {
        int type = knots[i].Ktype();
        if (type != KTYPE_AUTO && type != KTYPE_CORNER) continue;
        bool hasPrev = n > 1 && (closed || i > 0);
        bool hasNext = n > 1 && (closed || i < n - 1);
        Neighbourhood around{points[i], hasPrev ? &points[(i + n - 1) % n] : nullptr,
                             hasNext ? &points[(i + 1) % n] : nullptr};
        Vec in, out;
        if (type == KTYPE_AUTO) {
            smoothHandles(around, in, out);
        } else {
            in = thirdToward(around.point, around.prev);
            out = thirdToward(around.point, around.next);
        }
        knots[i].SetInVec(toPoint(in));
        knots[i].SetOutVec(toPoint(out));
    }
}
