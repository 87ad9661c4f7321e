// Link chains: the link records walked forward into open connecting splines.
#pragma once
#include "max.h"
#include "builder/cage_tables.h"

// Walks every unused link, in table order, into a chain that grows forward
// from each link's `to` through the first unused link (in table order)
// leaving it, appends one finished spline per chain to target, and marks
// every link it places used. Every `from` and `to` must index `points`.
// Time linear in the links and points: the records are queued by `from`.
void walkChains(Tab<CageLink>& links, const Tab<Point3>& points, BezierShape& target, int knotStyle);
