#include "app/scene_evaluation.h"
#include <map>
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

// The trellis object of each entry, null where its node has been deleted.
std::vector<TrellisObject*> findObjects(const SceneDesc& desc, Scene& scene) {
    std::map<std::string, INode*> nodes;
    for (int i = 0; i < scene.NodeCount(); ++i) nodes[scene.GetNode(i)->GetName()] = scene.GetNode(i);
    std::vector<TrellisObject*> objects;
    for (const TrellisDesc& trellis : desc.trellis) {
        auto found = nodes.find(trellis.name);
        objects.push_back(found == nodes.end() ? nullptr : dynamic_cast<TrellisObject*>(found->second->GetObjectRef()));
    }
    return objects;
}

EvaluatedFrame evaluateFrame(const SceneDesc& desc, const std::vector<TrellisObject*>& objects, TimeValue t) {
    // Objects that other objects take sections from go first: their caches
    // are then current when the others evaluate them, so no build runs
    // inside another, however long the chain.
    std::map<int, CageSnapshot> byIndex;
    for (int index : desc.evaluationOrder)
        if (objects[index]) byIndex.emplace(index, snapshotCage(*objects[index], desc.trellis[index].name, t));
    EvaluatedFrame frame;
    frame.time = t;
    for (auto& entry : byIndex) frame.objects.push_back(std::move(entry.second));
    return frame;
}

}  // namespace

std::vector<EvaluatedFrame> evaluateScene(const SceneDesc& desc, Scene& scene, const std::vector<TimeValue>& times) {
    std::vector<TrellisObject*> objects = findObjects(desc, scene);
    HostTimeGuard hostTime;
    std::vector<EvaluatedFrame> frames;
    for (TimeValue t : times) {
        hostTime.set(t);
        frames.push_back(evaluateFrame(desc, objects, t));
    }
    return frames;
}
