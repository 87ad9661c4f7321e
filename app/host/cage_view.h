// The curves pictures and exports draw of a cage: every cage spline as the
// object samples it, and where the object's node puts it in the world.
#pragma once
#include <string>
#include <vector>
#include "max.h"

// Points between two knots when the curves are sampled: finer than the
// shape's built-in 6, so that a circle of four knots draws round.
const int CAGE_SAMPLE_STEPS = 12;

struct CageView {
    Matrix3 objectTM;                        // the object's node: object space into world space
    PolyShape curves;                        // line i samples cage spline i, in object space
    std::vector<std::string> sectionNames;   // node names of the filled section slots, in list order
};

// A sampled cage spline in world space. Points that are not finite (a
// degenerate section can produce them) are left out.
struct WorldCurve {
    bool closed = false;
    bool sectionCopy = false;          // else a connecting spline
    std::vector<Point3> points;
    std::vector<Point3> knots;         // the knot points among them
};

// `copies`: how many curves at the front are section copies.
std::vector<WorldCurve> worldCurves(const CageView& view, int copies);
