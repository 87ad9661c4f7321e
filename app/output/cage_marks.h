// How pictures and pages of cages mark them: the colours of section copies
// and of each object's connecting splines, and the knots, which are marked
// only while a view holds few enough of them to stay readable.
#pragma once
#include <cstddef>
#include <string>
#include <vector>
#include "app/host/cage_snapshot.h"

const char* const SECTION_COLOUR = "#343a40";

// The colour of object i's connecting splines: a palette of distinct hues, repeated.
std::string connectionColour(int index);

// Knots are marked in a view of at most this many distinct knot points.
const int MAX_KNOT_MARKS = 2000;

// Visits the finite world point of every knot of every spline of a cage, in
// cage order: the knots its sampled curves pass through, in their order.
template <class OnKnot>
void forEachWorldKnot(const CageSnapshot& snapshot, OnKnot onKnot) {
    const BezierShape& cage = snapshot.cage();
    Point3 world;
    for (int s = 0; s < cage.SplineCount(); ++s) {
        const Spline3D& spline = *cage.GetSpline(s);
        for (int i = 0; i < spline.KnotCount(); ++i)
            if (worldPoint(snapshot.view, spline.GetKnotPoint(i), world)) onKnot(world);
    }
}

// Whether a view of these cages marks their knots: at most MAX_KNOT_MARKS
// distinct knot points, counted cage by cage.
bool knotsMarked(const std::vector<CageSnapshot>& cages);
