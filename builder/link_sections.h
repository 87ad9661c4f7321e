// Links between unlike copies: the cage point table and the link records.
#pragma once
#include "max.h"
#include "builder/cage_tables.h"

// Empties `points` and `links` (storage kept), appends every knot point of
// the first n splines of `copies`, copy by copy, and then the links of each
// pair of consecutive copies: knot by knot for equal counts, by arc length
// otherwise. Every link end is the first index of a point equal to the knot's.
void linkCopies(const BezierShape& copies, int n, Tab<Point3>& points, Tab<CageLink>& links);
