// Ranges: Box3, a box in space, and Interval, a span of time.
#include "box3.h"
#include <algorithm>
#include <limits>
#include "interval.h"

void Box3::Init() {
    const float big = std::numeric_limits<float>::max();
    pmin = Point3(big, big, big);
    pmax = Point3(-big, -big, -big);
}

bool Box3::IsEmpty() const { return pmin.x > pmax.x || pmin.y > pmax.y || pmin.z > pmax.z; }

Box3& Box3::operator+=(const Point3& p) {
    for (int i = 0; i < 3; ++i) {
        pmin[i] = std::min(pmin[i], p[i]);
        pmax[i] = std::max(pmax[i], p[i]);
    }
    return *this;
}

Box3& Box3::operator+=(const Box3& b) {
    if (b.IsEmpty()) return *this;
    *this += b.pmin;
    *this += b.pmax;
    return *this;
}

bool Box3::Contains(const Point3& p) const {
    return p.x >= pmin.x && p.x <= pmax.x && p.y >= pmin.y && p.y <= pmax.y && p.z >= pmin.z &&
           p.z <= pmax.z;
}

Box3 Box3::operator*(const Matrix3& m) const {
    Box3 out;
    if (IsEmpty()) return out;
    for (int corner = 0; corner < 8; ++corner) {
        Point3 p((corner & 1) ? pmax.x : pmin.x, (corner & 2) ? pmax.y : pmin.y,
                 (corner & 4) ? pmax.z : pmin.z);
        out += p * m;
    }
    return out;
}

Interval Interval::operator&(const Interval& i) const {
    if (Empty() || i.Empty()) return NEVER;
    TimeValue s = std::max(start, i.start);
    TimeValue e = std::min(end, i.end);
    if (s > e) return NEVER;
    return Interval(s, e);
}
