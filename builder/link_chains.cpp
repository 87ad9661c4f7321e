#include "builder/link_chains.h"
#include "builder/connecting_spline.h"
#include "builder/link_queues.h"

void walkChains(Tab<CageLink>& links, const Tab<Point3>& points, BezierShape& target, int knotStyle) {
    LinkQueues queues(links, points.Count());
    for (int i = 0; i < links.Count(); ++i) {
        if (links[i].used != 0) continue;
        Spline3D* chain = target.NewSpline(KTYPE_CORNER, KTYPE_BEZIER, PARM_UNIFORM);
        appendAutoKnot(*chain, points[links[i].from]);
        appendAutoKnot(*chain, points[links[i].to]);
        links[i].used = 1;
        for (int k = queues.firstUnusedFrom(links[i].to); k >= 0; k = queues.firstUnusedFrom(links[k].to)) {
            appendAutoKnot(*chain, points[links[k].to]);
            links[k].used = 1;
        }
        finishConnectingSpline(*chain, knotStyle);
    }
}
