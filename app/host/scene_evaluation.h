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

// Evaluates the objects of `nodes` (in the scene file's order, null where
// deleted) at each time in turn, in `evaluationOrder` (objects that others
// take sections from first), with the host's current time set to it:
// queries that take no time use that one. The host's time is restored
// afterwards.
std::vector<EvaluatedFrame> evaluateScene(const TrellisNodes& nodes, const std::vector<int>& evaluationOrder,
                                          const std::vector<TimeValue>& times);
