// Helpers shared by the two roads that add connecting splines (ribs and link chains).
#pragma once
#include "max.h"

// Appends an automatic knot whose point and both handles lie at p.
void appendAutoKnot(Spline3D& spline, const Point3& p);

// Finishes a connecting spline: handles computed for automatic knots first,
// then every knot given knotStyle, handles computed again, and the spline
// made open. Bezier and Bezier-corner knots keep the handles of the first
// computation, so such splines start with the smooth handles of an automatic one.
void finishConnectingSpline(Spline3D& spline, int knotStyle);

// The knot type of connecting splines for a "SplineType" value:
// 0 Linear -> corner, 1 Smooth -> automatic, 2 Bezier, 3 Bezier corner;
// any other value -> corner.
int knotStyleFor(int splineType);
