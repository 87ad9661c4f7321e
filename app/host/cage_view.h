// The curves pictures and exports draw of a cage: every cage spline as the
// object samples it, and where the object's node puts it in the world.
#pragma once
#include <cmath>
#include <string>
#include <vector>
#include "max.h"

// Points between two knots when the curves are sampled: finer than the
// shape's built-in 6, so that a circle of four knots draws round.
const int CAGE_SAMPLE_STEPS = 12;

struct CageView {
    PolyShape curves;                        // line i samples cage spline i, in object space (the page's)
    std::vector<std::string> sectionNames;   // node names of the filled section slots, in list order
    std::vector<int> sectionSlots;           // their slot numbers, 1 to MAX_SECTIONS

    // The object's node: object space into world space (the identity until placed).
    void place(const Matrix3& objectTM);
    const Matrix3& objectTM() const { return tm; }
    // The node's transform is the identity itself, zeros of positive sign included.
    bool placedAsIs() const { return asIs; }

private:
    Matrix3 tm;
    bool asIs = true;
};

// A point of the cage, in object space, in world space; false when it is
// not finite (a degenerate section can produce such points). Inline: the
// outputs place every sampled point, millions of them. An object at the
// world's origin, unturned, is placed without the transform's arithmetic,
// which would give the point itself but for zeros: each coordinate is a sum
// of products ending with a translation of +0, so -0 comes out as +0.
inline bool worldPoint(const CageView& view, const Point3& local, Point3& world) {
    if (view.placedAsIs()) world = Point3(local.x + 0.0f, local.y + 0.0f, local.z + 0.0f);
    else world = local * view.objectTM();
    return std::isfinite(world.x) && std::isfinite(world.y) && std::isfinite(world.z);
}
// Point i of `line` (sampled from a cage spline) in world space, likewise.
inline bool worldPoint(const CageView& view, const PolyLine& line, int i, Point3& world) {
    return worldPoint(view, line.pts[static_cast<std::size_t>(i)].p, world);
}
