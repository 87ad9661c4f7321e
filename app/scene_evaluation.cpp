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

// The node of each entry's trellis object, null where the node has been deleted.
std::vector<INode*> findTrellisNodes(const SceneDesc& desc, Scene& scene) {
    std::map<std::string, INode*> nodes;
    for (int i = 0; i < scene.NodeCount(); ++i) nodes[scene.GetNode(i)->GetName()] = scene.GetNode(i);
    std::vector<INode*> found;
    for (const TrellisDesc& trellis : desc.trellis) {
        auto node = nodes.find(trellis.name);
        bool holdsTrellis = node != nodes.end() && dynamic_cast<TrellisObject*>(node->second->GetObjectRef());
        found.push_back(holdsTrellis ? node->second : nullptr);
    }
    return found;
}

CageSnapshot snapshotInNode(INode& node, const std::string& name, TimeValue t) {
    TrellisObject& object = *static_cast<TrellisObject*>(node.GetObjectRef());
    CageSnapshot snapshot = snapshotCage(object, name, t);
    snapshot.view = captureCageView(object, node, t);
    return snapshot;
}

// The objects narrow their caches by node transforms alone: without this, a
// cage built at an earlier time would be shown again at this one although an
// animated "SplineType" or section parameter changed it. FreeCaches is how
// the host itself drops an object's cache.
void freeTrellisCaches(const std::vector<INode*>& nodes) {
    for (INode* node : nodes)
        if (node) node->GetObjectRef()->FreeCaches();
}

EvaluatedFrame evaluateFrame(const SceneDesc& desc, const std::vector<INode*>& nodes, TimeValue t) {
    freeTrellisCaches(nodes);
    // Objects that other objects take sections from go first: their caches
    // are then current when the others evaluate them, so no build runs
    // inside another, however long the chain.
    std::map<int, CageSnapshot> byIndex;
    for (int index : desc.evaluationOrder)
        if (nodes[index]) byIndex.emplace(index, snapshotInNode(*nodes[index], desc.trellis[index].name, t));
    EvaluatedFrame frame;
    frame.time = t;
    for (auto& entry : byIndex) frame.objects.push_back(std::move(entry.second));
    return frame;
}

}  // namespace

std::vector<EvaluatedFrame> evaluateScene(const SceneDesc& desc, Scene& scene, const std::vector<TimeValue>& times) {
    std::vector<INode*> nodes = findTrellisNodes(desc, scene);
    HostTimeGuard hostTime;
    std::vector<EvaluatedFrame> frames;
    for (TimeValue t : times) {
        hostTime.set(t);
        frames.push_back(evaluateFrame(desc, nodes, t));
    }
    return frames;
}
