#include "app/host/cage_snapshot.h"
#include <memory>
#include "app/host/trellis_refs.h"
#include "app/scene/scene_error.h"

namespace {

// Node names and slot numbers of the filled slots, in list order.
void readSections(const std::vector<INode*>& slots, CageView& view) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i]) continue;
        view.sectionNames.push_back(slots[i]->GetName());
        view.sectionSlots.push_back(static_cast<int>(i) + 1);
    }
}

// The cage as the host's editable spline conversion gives it: a new object,
// which the snapshot keeps; the base conversion would hand back the object itself.
std::shared_ptr<SplineShape> convertCage(Object& object, const std::string& name, TimeValue t) {
    Object* converted = object.ConvertToType(t, splineShapeClassID);
    SplineShape* spline = converted == &object ? nullptr : dynamic_cast<SplineShape*>(converted);
    if (!spline) {
        if (converted && converted != &object) converted->DeleteThis();
        throw SceneError(quoteName(name) + ": the object gave no editable spline at time " + std::to_string(t));
    }
    return std::shared_ptr<SplineShape>(spline, [](SplineShape* owned) { owned->DeleteThis(); });
}

// The cage's size as the shape queries give it; asking brings the cache up to date at t.
void countCage(ShapeObject& shape, TimeValue t, CageSnapshot& snapshot) {
    snapshot.knotCount = shape.NumberOfVertices(t, -1);
    snapshot.splineCount = shape.NumberOfCurves();
}

// Read right after the cache was brought up to date at t.
void readLastBuild(ITrellisCage& built, bool links, CageSnapshot& snapshot) {
    snapshot.valid = built.CageValidity();
    snapshot.sectionCopies = built.CageSectionCopies();
    for (int k = 0; k < built.CagePairCount(); ++k) snapshot.joins.push_back(built.CagePairJoin(k));
    if (!links) return;
    snapshot.cagePoints.reserve(static_cast<std::size_t>(built.CagePointCount()));
    for (int i = 0; i < built.CagePointCount(); ++i) snapshot.cagePoints.push_back(built.CagePoint(i));
    snapshot.cageLinks.reserve(static_cast<std::size_t>(built.CageLinkCount()));
    for (int i = 0; i < built.CageLinkCount(); ++i) snapshot.cageLinks.push_back(built.CageLinkAt(i));
}

void sampleCurves(ShapeObject& shape, TimeValue t, CageView& view) {
    shape.MakePolyShape(t, view.curves, CAGE_SAMPLE_STEPS, FALSE);
}

}  // namespace

const BezierShape& CageSnapshot::cage() const {
    static const BezierShape none;
    return converted ? converted->shape : none;
}

CageSnapshot snapshotCage(INode& node, TimeValue t, const SnapshotParts& parts) {
    Object& object = *node.GetObjectRef();
    ShapeObject& shape = static_cast<ShapeObject&>(object);
    CageSnapshot snapshot;
    snapshot.name = node.GetName();
    snapshot.time = t;
    ITrellisCage* built = trellisCageOf(object);
    if (!built) throw SceneError(quoteName(snapshot.name) + ": the object publishes no trellis cage");
    if (parts.cage) snapshot.converted = convertCage(object, snapshot.name, t);
    countCage(shape, t, snapshot);
    readLastBuild(*built, parts.links, snapshot);
    snapshot.splineType = splineTypeAt(object, t);
    std::vector<INode*> slots = sectionSlots(object);
    if (parts.cage || parts.curves) snapshot.view.place(node.GetObjectTM(t));
    if (parts.curves) sampleCurves(shape, t, snapshot.view);
    readSections(slots, snapshot.view);
    snapshot.filledSections = static_cast<int>(snapshot.view.sectionNames.size());
    snapshot.firstSlotEmpty = snapshot.filledSections > 0 && !slots.front();
    return snapshot;
}
