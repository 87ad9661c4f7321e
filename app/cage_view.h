// What pictures, exports and the join report read of a trellis object at one
// time besides its cage: the curves as the object samples them, where its
// node puts them in the world, and the names of its sections. All of it is
// read while the scene exists, through the object's host interface.
#pragma once
#include <string>
#include <vector>
#include "max.h"

class TrellisObject;

// Points between two knots when the curves are sampled: finer than the
// shape's built-in 6, so that a circle of four knots draws round.
const int CAGE_SAMPLE_STEPS = 12;

struct CageView {
    Matrix3 objectTM;                        // the object's node: object space into world space
    PolyShape curves;                        // line i samples cage spline i, in object space
    std::vector<std::string> sectionNames;   // node names of the filled section slots, in list order
};

CageView captureCageView(TrellisObject& object, INode& node, TimeValue t);

// A sampled cage spline in world space. Points that are not finite (a
// degenerate section can produce them) are left out.
struct WorldCurve {
    bool closed = false;
    bool sectionCopy = false;          // else a connecting spline
    std::vector<Point3> points;
    std::vector<Point3> knots;         // the knot points among them
};

// The section copies come first in a cage, one per gathered section: as many
// as there are filled slots, fewer when the cage ended early with a section
// that gave no spline (the cage then holds nothing but copies).
int countSectionCopies(const CageView& view);

std::vector<WorldCurve> worldCurves(const CageView& view);
