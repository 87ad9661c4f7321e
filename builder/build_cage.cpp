// The cage builder: gathering, then the connecting phase on one of two roads.
#include "object/trellis_object.h"
#include "builder/connecting_spline.h"
#include "builder/link_chains.h"

namespace {

// Copies match when every one agrees with copy 0 in knot count and closure.
bool sectionsMatch(const BezierShape& shape, int n) {
    const Spline3D* first = shape.GetSpline(0);
    for (int j = 1; j < n; ++j) {
        const Spline3D* copy = shape.GetSpline(j);
        if (copy->KnotCount() != first->KnotCount() || copy->Closed() != first->Closed()) return false;
    }
    return true;
}

}  // namespace

void TrellisObject::BuildCage(TimeValue t, BezierShape& target) {
    if (!gatherSections(t, target)) return;
    int n = target.SplineCount();
    if (n <= 1) return;  // a single section is just its copy
    int knotStyle = readKnotStyle(t);
    if (sectionsMatch(target, n)) {
        buildRibs(target, n, knotStyle);
    } else {
        linkSections(target, n);
        chainLinks(target, knotStyle);
    }
}

// Without a parameter block (it was deleted) the cage falls back to the
// style of a new block's value, "Linear": corner knots.
int TrellisObject::readKnotStyle(TimeValue t) {
    if (!pblock) return KTYPE_CORNER;
    int splineType = 0;
    Interval ignored = FOREVER;
    pblock->GetValue(PB_SPLINETYPE, t, splineType, ignored);
    return knotStyleFor(splineType);
}

void TrellisObject::chainLinks(BezierShape& target, int knotStyle) {
    walkChains(cageLinks, cagePoints, target, knotStyle);
}
