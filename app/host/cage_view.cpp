#include "app/host/cage_view.h"
#include <cstdint>
#include <cstring>

namespace {

bool sameBits(float a, float b) {
    std::uint32_t x = 0, y = 0;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

bool isIdentityItself(const Matrix3& tm) {
    const Point3 identity[] = {Point3(1.0f, 0.0f, 0.0f), Point3(0.0f, 1.0f, 0.0f), Point3(0.0f, 0.0f, 1.0f),
                               Point3(0.0f, 0.0f, 0.0f)};
    for (int r = 0; r < 4; ++r) {
        Point3 row = tm.GetRow(r);
        if (!sameBits(row.x, identity[r].x) || !sameBits(row.y, identity[r].y) || !sameBits(row.z, identity[r].z))
            return false;
    }
    return true;
}

}  // namespace

void CageView::place(const Matrix3& objectTM) {
    tm = objectTM;
    asIs = isIdentityItself(objectTM);
}
