// Refusing scenes beyond the limits of scene/limits.h, before they are built.
#pragma once
#include <cstddef>
#include <cstdint>
#include "app/scene/scene_file.h"

// Counts nodes, curves, knots and keys. Throws SceneError naming the first
// place that goes over a limit.
void checkSceneSize(const SceneDesc& scene);

// The evaluation size of building every trellis object at `timeCount`
// times (see MAX_EVALUATION_SIZE); needs the scene's evaluationOrder.
// Throws SceneError naming the object at which the total goes over.
void checkEvaluationSize(const SceneDesc& scene, std::size_t timeCount);
// The same size, or MAX_EVALUATION_SIZE + 1 for any size over the limit.
std::uint64_t measureEvaluationSize(const SceneDesc& scene, std::size_t timeCount);
