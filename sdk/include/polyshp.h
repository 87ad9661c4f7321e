// Polyline shapes: what a shape looks like once its curves are sampled.
#pragma once
#include <vector>
#include "maxtypes.h"
#include "point3.h"
#include "matrix3.h"
#include "box3.h"

// Steps value meaning "the shape's own interpolation steps".
const int PSHAPE_BUILTIN_STEPS = -2;
// Flags of a polyline point.
const DWORD POLYPT_KNOT = 1 << 0;
const DWORD POLYPT_INTERPOLATED = 1 << 1;

struct PolyPt {
    Point3 p;
    DWORD flags = 0;
    PolyPt() = default;
    PolyPt(const Point3& pt, DWORD f = 0) : p(pt), flags(f) {}
};

class PolyLine {
public:
    std::vector<PolyPt> pts;
    bool closed = false;

    int numPts() const { return static_cast<int>(pts.size()); }
    void Append(const PolyPt& p) { pts.push_back(p); }
    void Close() { closed = true; }
    void Open() { closed = false; }
    int IsClosed() const { return closed ? 1 : 0; }
    Point3& operator[](int i) { return pts[i].p; }
    const Point3& operator[](int i) const { return pts[i].p; }
};

class PolyShape {
public:
    std::vector<PolyLine> lines;

    int numLines() const { return static_cast<int>(lines.size()); }
    PolyLine& NewLine() { lines.emplace_back(); return lines.back(); }
    void NewShape() { lines.clear(); }
    Box3 BuildBoundingBox(const Matrix3* tm = nullptr) const;
};
