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

// The joins are recorded as the build decides them, so that the host can
// report them without deciding anything again.
void TrellisObject::BuildCage(TimeValue t, BezierShape& target) {
    cageJoins.ZeroCount();
    bool gathered = gatherSections(t, target);
    int n = cageCopies = target.SplineCount();
    if (!gathered) {
        recordJoins(n, TRELLIS_JOIN_NOT_JOINED, 0);
        return;
    }
    if (n <= 1) return;  // a single section is just its copy
    int knotStyle = readKnotStyle(t);
    if (sectionsMatch(target, n)) {
        int ribs = target.GetSpline(0)->KnotCount();
        recordJoins(n, ribs > 0 ? TRELLIS_JOIN_RIBS : TRELLIS_JOIN_NONE, ribs);
        buildRibs(target, n, knotStyle);
    } else {
        linkSections(target, n);
        chainLinks(target, knotStyle);
    }
}

// One record per pair of the n copies, all joined alike.
void TrellisObject::recordJoins(int n, int join, int links) {
    TrellisPairJoin record{join, links, -1};
    for (int k = 0; k + 1 < n; ++k) cageJoins.Append(1, &record, 1);
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
