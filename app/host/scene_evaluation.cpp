#include "app/host/scene_evaluation.h"
#include <map>
#include "app/host/host_time.h"

namespace {

// The objects narrow their caches by node transforms alone: without this, a
// cage built at an earlier time would be shown again at this one although an
// animated "SplineType" or section parameter changed it. FreeCaches is how
// the host itself drops an object's cache.
void freeTrellisCaches(const TrellisNodes& nodes) {
    for (INode* node : nodes)
        if (node) node->GetObjectRef()->FreeCaches();
}

EvaluatedFrame evaluateFrame(const TrellisNodes& nodes, const std::vector<int>& evaluationOrder, TimeValue t,
                             const SnapshotParts& parts) {
    freeTrellisCaches(nodes);
    // Objects that other objects take sections from go first: their caches
    // are then current when the others evaluate them, so no build runs
    // inside another, however long the chain.
    std::map<int, CageSnapshot> byIndex;
    for (int index : evaluationOrder)
        if (nodes[index]) byIndex.emplace(index, snapshotCage(*nodes[index], t, parts));
    EvaluatedFrame frame;
    frame.time = t;
    for (auto& entry : byIndex) frame.objects.push_back(std::move(entry.second));
    return frame;
}

}  // namespace

std::vector<EvaluatedFrame> evaluateScene(const TrellisNodes& nodes, const std::vector<int>& evaluationOrder,
                                          const std::vector<TimeValue>& times, const RunParts& parts) {
    HostTimeScope hostTime;
    std::vector<EvaluatedFrame> frames;
    for (std::size_t i = 0; i < times.size(); ++i) {
        hostTime.set(times[i]);
        frames.push_back(evaluateFrame(nodes, evaluationOrder, times[i], i == 0 ? parts.first : parts.others));
    }
    return frames;
}
