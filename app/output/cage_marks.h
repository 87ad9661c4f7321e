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

// Visits the finite world point of every knot of every curve of a cage, in curve order.
template <class OnKnot>
void forEachWorldKnot(const CageSnapshot& snapshot, OnKnot onKnot) {
    const PolyShape& curves = snapshot.view.curves;
    Point3 world;
    for (int c = 0; c < curves.numLines(); ++c) {
        const PolyLine& line = curves.lines[c];
        for (int i = 0; i < line.numPts(); ++i)
            if ((line.pts[static_cast<std::size_t>(i)].flags & POLYPT_KNOT) && worldPoint(snapshot.view, line, i, world))
                onKnot(world);
    }
}

// Whether a view of these cages marks their knots: at most MAX_KNOT_MARKS
// distinct knot points, counted cage by cage.
bool knotsMarked(const std::vector<CageSnapshot>& cages);
