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
    Matrix3 objectTM;                        // the object's node: object space into world space
    PolyShape curves;                        // line i samples cage spline i, in object space (the page's)
    std::vector<std::string> sectionNames;   // node names of the filled section slots, in list order
    std::vector<int> sectionSlots;           // their slot numbers, 1 to MAX_SECTIONS
};

// A point of the cage, in object space, in world space; false when it is
// not finite (a degenerate section can produce such points). Inline: the
// outputs place every sampled point, millions of them.
inline bool worldPoint(const CageView& view, const Point3& local, Point3& world) {
    world = local * view.objectTM;
    return std::isfinite(world.x) && std::isfinite(world.y) && std::isfinite(world.z);
}
// Point i of `line` (sampled from a cage spline) in world space, likewise.
inline bool worldPoint(const CageView& view, const PolyLine& line, int i, Point3& world) {
    return worldPoint(view, line.pts[static_cast<std::size_t>(i)].p, world);
}
