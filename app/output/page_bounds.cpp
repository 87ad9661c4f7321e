#include "app/output/page_bounds.h"
#include <algorithm>
#include <cmath>

namespace {

// How far, relative to the size of the numbers involved, rounding may move
// a sampled point off its curve: the sampler's and the node transform's
// float arithmetic, a few units of 2^-24 each, with ample room to spare.
const double ROUNDING_MARGIN = 1e-5;

// Every point sampled from a Bezier spline lies in the hull of its control
// points (knots and handles), up to rounding, and so does its projection:
// the box of the projected control points holds the sampled points.
struct ControlBox {
    Bounds box;
    double margin = 0.0;   // beyond anything rounding can move a sampled point
    bool finite = true;
};

// The size a node transform gives to world coordinates: those of a local
// point of size s are at most s * linear + translation.
struct TransformSize {
    double linear = 0.0;
    double translation = 0.0;
};

TransformSize transformSize(const Matrix3& tm) {
    TransformSize size;
    for (int r = 0; r < 3; ++r) {
        Point3 row = tm.GetRow(r);
        size.linear += std::fabs(row.x) + std::fabs(row.y) + std::fabs(row.z);
    }
    Point3 t = tm.GetTrans();
    size.translation = std::max({std::fabs(t.x), std::fabs(t.y), std::fabs(t.z)});
    return size;
}

ControlBox controlBox(const Spline3D& spline, const CageView& view, ViewKind kind, const TransformSize& size) {
    ControlBox control;
    double local = 0.0;
    auto add = [&](const Point3& p) {
        Point3 world;
        if (!worldPoint(view, p, world)) {
            control.finite = false;
            return;
        }
        local = std::max({local, std::fabs(double(p.x)), std::fabs(double(p.y)), std::fabs(double(p.z))});
        control.box.add(projectToView(world, kind));
    };
    for (int i = 0; i < spline.KnotCount() && control.finite; ++i) {
        add(spline.GetInVec(i));
        add(spline.GetKnotPoint(i));
        add(spline.GetOutVec(i));
    }
    // A view's axes take at most two world coordinates' worth of a point.
    control.margin = 2.0 * ROUNDING_MARGIN * (local * size.linear + size.translation);
    return control;
}

bool wellInside(const ControlBox& control, const Bounds& b) {
    if (b.empty || control.box.empty || !control.finite) return false;
    const Bounds& c = control.box;
    const double m = control.margin;
    return c.minRight >= b.minRight + m && c.maxRight <= b.maxRight - m && c.minUp >= b.minUp + m &&
           c.maxUp <= b.maxUp - m;
}

}  // namespace

void Bounds::add(const PagePoint& p) {
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

void Bounds::add(const Bounds& b) {
    if (b.empty) return;
    add(PagePoint{b.minRight, b.minUp});
    add(PagePoint{b.maxRight, b.maxUp});
}

Bounds sampledBounds(const BezierShape& cage, const CageView& view, ViewKind kind, SplineSampler& sampler) {
    Bounds bounds;
    const TransformSize size = transformSize(view.objectTM());
    Point3 world;
    for (int c = 0; c < cage.SplineCount(); ++c) {
        const Spline3D& spline = *cage.GetSpline(c);
        if (wellInside(controlBox(spline, view, kind, size), bounds)) continue;
        const PolyLine& line = sampler.sample(spline);
        for (int i = 0; i < line.numPts(); ++i)
            if (worldPoint(view, line, i, world)) bounds.add(projectToView(world, kind));
    }
    return bounds;
}
