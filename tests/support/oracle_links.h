// The straightforward links road of the cage builder, kept as the oracle
// that the fast road must match bit for bit: every link end found by a scan
// of the point table, every chain extension by a scan from the first link
// record, every fraction table measured anew for each pair. Quadratic in
// the number of links; shared by the tests and the benchmarks.
#pragma once
#include "max.h"
#include "builder/cage_tables.h"

// The first index in `points` whose point equals p under Point3 ==; 0 when
// none does (also for an empty table).
int oracleFindCagePoint(const Tab<Point3>& points, Point3 p);

// Empties both tables, stores every knot point of the first n splines of
// `copies` and appends the links of every pair of consecutive copies.
void oracleLinkSections(const BezierShape& copies, int n, Tab<Point3>& points, Tab<CageLink>& links);

// Walks the unused links into chain splines appended to target.
void oracleWalkChains(Tab<CageLink>& links, const Tab<Point3>& points, BezierShape& target, int knotStyle);

// The whole road as BuildCage runs it: the links of the first n splines of
// `shape`, then their chains appended to `shape` itself.
void oracleLinksRoad(BezierShape& shape, int n, int knotStyle, Tab<Point3>& points, Tab<CageLink>& links);
