// Planar polygon helpers for closed polylines, private to the stand-in's shape code.
#pragma once
#include "polyshp.h"

// Shoelace area of the polyline's projection onto the XY plane: positive
// when it runs counter-clockwise seen from +Z.
inline double signedAreaXY(const PolyLine& line) {
    double twice = 0.0;
    int n = line.numPts();
    for (int i = 0; i < n; ++i) {
        const Point3& a = line[i];
        const Point3& b = line[(i + 1) % n];
        twice += double(a.x) * b.y - double(b.x) * a.y;
    }
    return 0.5 * twice;
}

// Even-odd rule on the XY projection (ray toward +X). A point on an edge may
// count either way.
inline bool insidePolygonXY(const Point3& p, const PolyLine& line) {
    bool inside = false;
    int n = line.numPts();
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const Point3& a = line[i];
        const Point3& b = line[j];
        if ((a.y > p.y) == (b.y > p.y)) continue;
        double x = a.x + (double(p.y) - a.y) * (double(b.x) - a.x) / (double(b.y) - a.y);
        if (p.x < x) inside = !inside;
    }
    return inside;
}
