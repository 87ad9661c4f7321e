#include "builder/connecting_spline.h"

void appendAutoKnot(Spline3D& spline, const Point3& p) {
    SplineKnot knot(KTYPE_AUTO, LTYPE_CURVE, p, p, p, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0);
    spline.AddKnot(knot, -1);
}

void finishConnectingSpline(Spline3D& spline, int knotStyle) {
    spline.ComputeBezPoints();
    for (int k = 0; k < spline.KnotCount(); ++k) spline.SetKnotType(k, knotStyle);
    spline.ComputeBezPoints();
    spline.SetOpen();
}

int knotStyleFor(int splineType) {
    switch (splineType) {
        case 0: return KTYPE_CORNER;
        case 1: return KTYPE_AUTO;
        case 2: return KTYPE_BEZIER;
        case 3: return KTYPE_BEZIER_CORNER;
        default: return KTYPE_CORNER;
    }
}
