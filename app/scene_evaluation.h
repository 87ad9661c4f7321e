// Evaluating every trellis object of a built scene at a list of times.
#pragma once
#include <vector>
#include "app/cage_report.h"
#include "app/scene_file.h"

struct EvaluatedFrame {
    TimeValue time = 0;
    // In the scene file's order; objects whose node was deleted are left out.
    std::vector<CageSnapshot> objects;
};

// Evaluates at each time in turn, with the host's current time set to it
// (queries that take no time use that one); the host's time is restored afterwards.
std::vector<EvaluatedFrame> evaluateScene(const SceneDesc& desc, Scene& scene, const std::vector<TimeValue>& times);
