#include "app/host/cage_snapshot.h"
#include <memory>
#include "app/host/trellis_refs.h"
#include "app/scene/scene_error.h"

namespace {

// Node names of the filled slots, in list order.
std::vector<std::string> namesOf(const std::vector<INode*>& slots) {
    std::vector<std::string> names;
    for (INode* node : slots)
        if (node) names.push_back(node->GetName());
    return names;
}

// The cage as the host's editable spline conversion gives it.
BezierShape convertCage(Object& object, const std::string& name, TimeValue t) {
    Object* converted = object.ConvertToType(t, splineShapeClassID);
    // The conversion hands over a new object; the base conversion would hand back the object itself.
    auto release = [&object](Object* o) { if (o && o != &object) o->DeleteThis(); };
    std::unique_ptr<Object, decltype(release)> owned(converted, release);
    SplineShape* spline = dynamic_cast<SplineShape*>(converted);
    if (!spline) throw SceneError(quoteName(name) + ": the object gave no editable spline at time " + std::to_string(t));
    return spline->shape;
}

// Read right after the conversion, which brought the cache up to date at t.
void readLastBuild(ITrellisCage& built, CageSnapshot& snapshot) {
    snapshot.valid = built.CageValidity();
    snapshot.sectionCopies = built.CageSectionCopies();
    for (int k = 0; k < built.CagePairCount(); ++k) snapshot.joins.push_back(built.CagePairJoin(k));
    for (int i = 0; i < built.CagePointCount(); ++i) snapshot.cagePoints.push_back(built.CagePoint(i));
    for (int i = 0; i < built.CageLinkCount(); ++i) snapshot.cageLinks.push_back(built.CageLinkAt(i));
}

CageView captureView(Object& object, INode& node, TimeValue t, const std::vector<INode*>& slots) {
    CageView view;
    view.objectTM = node.GetObjectTM(t);
    static_cast<ShapeObject&>(object).MakePolyShape(t, view.curves, CAGE_SAMPLE_STEPS, FALSE);
    view.sectionNames = namesOf(slots);
    return view;
}

}  // namespace

CageSnapshot snapshotCage(INode& node, TimeValue t) {
    Object& object = *node.GetObjectRef();
    CageSnapshot snapshot;
    snapshot.name = node.GetName();
    snapshot.time = t;
    ITrellisCage* built = trellisCageOf(object);
    if (!built) throw SceneError(quoteName(snapshot.name) + ": the object publishes no trellis cage");
    snapshot.cage = convertCage(object, snapshot.name, t);
    readLastBuild(*built, snapshot);
    snapshot.splineType = splineTypeAt(object, t);
    std::vector<INode*> slots = sectionSlots(object);
    snapshot.view = captureView(object, node, t, slots);
    snapshot.filledSections = static_cast<int>(snapshot.view.sectionNames.size());
    snapshot.firstSlotEmpty = snapshot.filledSections > 0 && !slots.front();
    return snapshot;
}
