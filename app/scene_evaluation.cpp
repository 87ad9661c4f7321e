#include "app/scene_evaluation.h"
#include <map>
#include "app/scene_builder.h"
#include "object/trellis_object.h"

namespace {

// Sets the host's current time for the lifetime of the guard.
class HostTimeGuard {
public:
    HostTimeGuard() : saved(GetCOREInterface()->GetTime()) {}
    ~HostTimeGuard() { GetCOREInterface()->SetTime(saved); }
    HostTimeGuard(const HostTimeGuard&) = delete;
    HostTimeGuard& operator=(const HostTimeGuard&) = delete;
    void set(TimeValue t) { GetCOREInterface()->SetTime(t); }

private:
    TimeValue saved;
};

EvaluatedFrame evaluateFrame(const SceneDesc& desc, Scene& scene, TimeValue t) {
    // Objects that other objects take sections from go first: their caches
    // are then current when the others evaluate them, so no build runs
    // inside another, however long the chain.
    std::map<int, CageSnapshot> byIndex;
    for (int index : desc.evaluationOrder) {
        const std::string& name = desc.trellis[index].name;
        if (TrellisObject* object = findTrellisObject(scene, name)) byIndex.emplace(index, snapshotCage(*object, name, t));
    }
    EvaluatedFrame frame;
    frame.time = t;
    for (auto& entry : byIndex) frame.objects.push_back(std::move(entry.second));
    return frame;
}

}  // namespace

std::vector<EvaluatedFrame> evaluateScene(const SceneDesc& desc, Scene& scene, const std::vector<TimeValue>& times) {
    HostTimeGuard hostTime;
    std::vector<EvaluatedFrame> frames;
    for (TimeValue t : times) {
        hostTime.set(t);
        frames.push_back(evaluateFrame(desc, scene, t));
    }
    return frames;
}
