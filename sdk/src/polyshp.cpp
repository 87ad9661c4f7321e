#include "polyshp.h"

Box3 PolyShape::BuildBoundingBox(const Matrix3* tm) const {
    Box3 box;
    for (const PolyLine& line : lines)
        for (const PolyPt& pt : line.pts) box += tm ? pt.p * *tm : pt.p;
    return box;
}
