#include "app/host/cage_view.h"
#include <cstring>

namespace {

// Bit for bit, so that a -0 anywhere (which the arithmetic would keep in
// some sums) does not count as the identity's +0.
bool isIdentityItself(const Matrix3& tm) {
    const Point3 identity[] = {Point3(1.0f, 0.0f, 0.0f), Point3(0.0f, 1.0f, 0.0f), Point3(0.0f, 0.0f, 1.0f),
                               Point3(0.0f, 0.0f, 0.0f)};
    for (int r = 0; r < 4; ++r) {
        Point3 row = tm.GetRow(r);
        if (std::memcmp(&row, &identity[r], sizeof row) != 0) return false;
    }
    return true;
}

}  // namespace

void CageView::place(const Matrix3& objectTM) {
    tm = objectTM;
    asIs = isIdentityItself(objectTM);
}
