#include "app/cage_view.h"
#include <algorithm>
#include <cmath>
#include "object/trellis_object.h"

namespace {

std::vector<std::string> readSectionNames(TrellisObject& object) {
    std::vector<std::string> names;
    for (int slot = FIRST_SECTION_REF; slot < FIRST_SECTION_REF + MAX_SECTIONS; ++slot)
        if (INode* node = static_cast<INode*>(object.GetReference(slot))) names.push_back(node->GetName());
    return names;
}

bool isFinite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

WorldCurve toWorld(const PolyLine& line, const Matrix3& tm, bool sectionCopy) {
    WorldCurve curve;
    curve.closed = line.IsClosed() != 0;
    curve.sectionCopy = sectionCopy;
    for (const PolyPt& pt : line.pts) {
        Point3 p = pt.p * tm;
        if (!isFinite(p)) continue;
        curve.points.push_back(p);
        if (pt.flags & POLYPT_KNOT) curve.knots.push_back(p);
    }
    return curve;
}

}  // namespace

CageView captureCageView(TrellisObject& object, INode& node, TimeValue t) {
    CageView view;
    view.objectTM = node.GetObjectTM(t);
    object.MakePolyShape(t, view.curves, CAGE_SAMPLE_STEPS, FALSE);
    view.sectionNames = readSectionNames(object);
    return view;
}

int countSectionCopies(const CageView& view) {
    return std::min(static_cast<int>(view.sectionNames.size()), view.curves.numLines());
}

std::vector<WorldCurve> worldCurves(const CageView& view) {
    std::vector<WorldCurve> curves;
    int copies = countSectionCopies(view);
    for (int i = 0; i < view.curves.numLines(); ++i) curves.push_back(toWorld(view.curves.lines[i], view.objectTM, i < copies));
    return curves;
}
