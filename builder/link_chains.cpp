#include "builder/link_chains.h"
#include "builder/connecting_spline.h"

namespace {

// The first unused link, in table order, whose `from` is the chain end; -1 when none.
int nextLinkFrom(const Tab<CageLink>& links, int chainEnd) {
    for (int k = 0; k < links.Count(); ++k)
        if (links[k].from == chainEnd && links[k].used == 0) return k;
    return -1;
}

}  // namespace

void walkChains(Tab<CageLink>& links, const Tab<Point3>& points, BezierShape& target, int knotStyle) {
    for (int i = 0; i < links.Count(); ++i) {
        if (links[i].used != 0) continue;
        Spline3D* chain = target.NewSpline(KTYPE_CORNER, KTYPE_BEZIER, PARM_UNIFORM);
        appendAutoKnot(*chain, points[links[i].from]);
        appendAutoKnot(*chain, points[links[i].to]);
        links[i].used = 1;
        int chainEnd = links[i].to;
        for (int k = nextLinkFrom(links, chainEnd); k >= 0; k = nextLinkFrom(links, chainEnd)) {
            appendAutoKnot(*chain, points[links[k].to]);
            links[k].used = 1;
            chainEnd = links[k].to;
        }
        finishConnectingSpline(*chain, knotStyle);
    }
}

