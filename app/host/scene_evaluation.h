// Evaluating every trellis object of a built scene at a list of times.
#pragma once
#include <vector>
#include "app/host/cage_snapshot.h"
#include "app/host/scene_builder.h"

struct EvaluatedFrame {
    TimeValue time = 0;
    // In the scene file's order; objects whose node was deleted are left out.
    std::vector<CageSnapshot> objects;
};

// What the run's outputs read at its first time and at the others
// (pictures and exports show the first time alone).
struct RunParts {
    SnapshotParts first;
    SnapshotParts others;
};

// Evaluates the objects of `nodes` (in the scene file's order, null where
// deleted) at each time in turn, in `evaluationOrder` (objects that others
// take sections from first), with the host's current time set to it:
// queries that take no time use that one. The host's time is restored
// afterwards. Snapshots keep the parts `parts` asks for.
std::vector<EvaluatedFrame> evaluateScene(const TrellisNodes& nodes, const std::vector<int>& evaluationOrder,
                                          const std::vector<TimeValue>& times, const RunParts& parts);
