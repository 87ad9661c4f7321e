// Caps of the closed curves of a shape: a triangle mesh or one patch per curve.
//
// Each closed curve is capped on its own (the stand-in's choice): nested
// curves are not cut out of their parents as holes, and the cap type (morph
// or grid) does not change the triangulation.
#include <array>
#include <cmath>
#include <vector>
#include "shape.h"
#include "shapes/shape_sampling.h"

namespace {

struct Point2 {
    double x, y;
};

// Newell's normal of the closed polyline: robust for non-planar and
// slightly concave outlines.
Point3 newellNormal(const PolyLine& line) {
    double n[3] = {0.0, 0.0, 0.0};
    int count = line.numPts();
    for (int i = 0; i < count; ++i) {
        const Point3& a = line[i];
        const Point3& b = line[(i + 1) % count];
        n[0] += (double(a.y) - b.y) * (double(a.z) + b.z);
        n[1] += (double(a.z) - b.z) * (double(a.x) + b.x);
        n[2] += (double(a.x) - b.x) * (double(a.y) + b.y);
    }
    return Point3(n[0], n[1], n[2]);
}

// Projects onto the coordinate plane most nearly parallel to the best-fit
// plane (dropping the normal's largest axis), which keeps the outline simple.
std::vector<Point2> projectToBestPlane(const PolyLine& line) {
    Point3 n = newellNormal(line);
    int drop = 2;
    if (std::fabs(n.x) >= std::fabs(n.y) && std::fabs(n.x) >= std::fabs(n.z)) drop = 0;
    else if (std::fabs(n.y) >= std::fabs(n.z)) drop = 1;
    int u = (drop + 1) % 3, v = (drop + 2) % 3;
    std::vector<Point2> flat;
    for (const PolyPt& pt : line.pts) flat.push_back({pt.p[u], pt.p[v]});
    return flat;
}

double cross(const Point2& a, const Point2& b, const Point2& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

double signedArea(const std::vector<Point2>& poly) {
    double twice = 0.0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Point2& a = poly[i];
        const Point2& b = poly[(i + 1) % poly.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return 0.5 * twice;
}

// p inside or on the triangle abc, whose orientation is `sign`.
bool inTriangle(const Point2& p, const Point2& a, const Point2& b, const Point2& c, double sign) {
    return cross(a, b, p) * sign >= 0.0 && cross(b, c, p) * sign >= 0.0 && cross(c, a, p) * sign >= 0.0;
}

bool isEar(const std::vector<Point2>& poly, const std::vector<int>& ring, std::size_t k, double sign) {
    std::size_t m = ring.size();
    int a = ring[(k + m - 1) % m], b = ring[k], c = ring[(k + 1) % m];
    if (!(cross(poly[a], poly[b], poly[c]) * sign > 0.0)) return false;
    for (int other : ring) {
        if (other == a || other == b || other == c) continue;
        if (inTriangle(poly[other], poly[a], poly[b], poly[c], sign)) return false;
    }
    return true;
}

// Ear clipping: n - 2 triangles in the outline's own winding. When no ear is
// left (a self-crossing or degenerate outline) the rest is closed by a fan,
// so the triangle count stays n - 2.
std::vector<std::array<int, 3>> earClip(const std::vector<Point2>& poly) {
    std::vector<std::array<int, 3>> triangles;
    std::vector<int> ring;
    for (int i = 0; i < static_cast<int>(poly.size()); ++i) ring.push_back(i);
    double sign = signedArea(poly) < 0.0 ? -1.0 : 1.0;
    while (ring.size() > 3) {
        std::size_t m = ring.size(), k = 0;
        while (k < m && !isEar(poly, ring, k, sign)) ++k;
        if (k == m) break;
        triangles.push_back({ring[(k + m - 1) % m], ring[k], ring[(k + 1) % m]});
        ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(k));
    }
    for (std::size_t k = 1; k + 1 < ring.size(); ++k) triangles.push_back({ring[0], ring[k], ring[k + 1]});
    return triangles;
}

// The outline a closed spline is capped along: the shape's own steps,
// straight segments without inner points (a flat cap needs none there).
// Only a closed outline of three or more points encloses anything to cap.
bool capOutline(const Spline3D& spline, int steps, PolyLine& outline) {
    if (!spline.Closed()) return false;
    sampleSpline(spline, steps, true, outline);
    return outline.numPts() >= 3;
}

}  // namespace

void BezierShape::MakeCap(TimeValue /*t*/, MeshCapInfo& capInfo, int /*capType*/) {
    capInfo.verts.clear();
    capInfo.faces.clear();
    for (const auto& spline : splines) {
        PolyLine outline;
        if (!capOutline(*spline, steps, outline)) continue;
        int base = static_cast<int>(capInfo.verts.size());
        for (const PolyPt& pt : outline.pts) capInfo.verts.push_back(pt.p);
        for (const auto& t : earClip(projectToBestPlane(outline)))
            capInfo.faces.push_back({{base + t[0], base + t[1], base + t[2]}});
    }
}

void BezierShape::MakeCap(TimeValue /*t*/, PatchCapInfo& capInfo) {
    capInfo.caps.clear();
    for (int i = 0; i < SplineCount(); ++i) {
        PolyLine outline;
        if (!capOutline(*splines[i], steps, outline)) continue;
        PatchCapInfo::Cap cap{i, {}};
        for (int k = 0; k < splines[i]->KnotCount(); ++k) cap.boundary.push_back(splines[i]->GetKnotPoint(k));
        capInfo.caps.push_back(cap);
    }
}
