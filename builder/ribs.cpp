// Ribs: when all copies match, one open spline per knot index runs through
// knot r of every copy in section order.
#include "object/trellis_object.h"
#include "builder/connecting_spline.h"

void TrellisObject::buildRibs(BezierShape& target, int n, int knotStyle) {
    int knots = target.GetSpline(0)->KnotCount();
    for (int r = 0; r < knots; ++r) {
        Spline3D* rib = target.NewSpline(KTYPE_CORNER, KTYPE_BEZIER, PARM_UNIFORM);
        for (int j = 0; j < n; ++j) appendAutoKnot(*rib, target.GetSpline(j)->GetKnotPoint(r));
        finishConnectingSpline(*rib, knotStyle);
    }
}
