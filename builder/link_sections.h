// Links between unlike copies: the cage point table and the link records.
#pragma once
#include "max.h"
#include "builder/cage_tables.h"

// Empties `points`, `links` and `joins` (storage kept), appends every knot point of
// the first n splines of `copies`, copy by copy, and then the links of each
// pair of consecutive copies: knot by knot for equal counts, by arc length
// otherwise. Every link end is the first index of a point equal to the knot's.
// `joins` then gets one record per pair: how it was joined, its links' range.
void linkCopies(const BezierShape& copies, int n, Tab<Point3>& points, Tab<CageLink>& links,
                Tab<TrellisPairJoin>& joins);
