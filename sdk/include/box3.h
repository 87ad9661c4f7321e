// Axis-aligned box; an empty box has pmin above pmax.
#pragma once
#include "matrix3.h"

class Box3 {
public:
    Point3 pmin, pmax;

    Box3() { Init(); }
    Box3(const Point3& p, const Point3& q) : pmin(p), pmax(q) {}
    void Init();
    bool IsEmpty() const;
    Point3 Min() const { return pmin; }
    Point3 Max() const { return pmax; }
    Point3 Center() const { return (pmin + pmax) * 0.5f; }
    Point3 Width() const { return pmax - pmin; }
    Box3& operator+=(const Point3& p);
    Box3& operator+=(const Box3& b);
    bool Contains(const Point3& p) const;
    // The box of the eight transformed corners; an empty box stays empty.
    Box3 operator*(const Matrix3& m) const;
};
