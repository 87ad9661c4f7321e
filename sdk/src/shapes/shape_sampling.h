// Sampling of splines into polylines: shared by the polyline conversion, caps,
// hit testing, curve organisation and drawing of BezierShape.
#pragma once
#include "polyshp.h"
#include "spline3d.h"

// Interpolated points per segment that ask for curvature-driven counts.
const int ADAPTIVE_STEPS = -1;
// Upper bound on interpolated points per segment, so that an absurd count
// cannot exhaust memory (the stand-in's limit; the host's own may differ).
const int MAX_POLY_STEPS = 1000;

// Appends the spline as a polyline to `line` (whose points are replaced):
// every knot point flagged POLYPT_KNOT and, on each segment, `steps` evenly
// spaced interpolated points (ADAPTIVE_STEPS: as many as the segment's
// turning asks for). With `optimize` straight segments get none. A closed
// spline gives a closed polyline that does not repeat its first point.
void sampleSpline(const Spline3D& spline, int steps, bool optimize, PolyLine& line);

// The segment is a straight line: its start knot has line type LTYPE_LINE,
// or both handles lie on the chord between its knots.
bool segmentIsStraight(const Spline3D& spline, int seg);
