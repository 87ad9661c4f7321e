// Which trellis objects take sections from which: a trellis object's node
// may serve as another's section, as long as no object ends up depending
// on itself.
#pragma once
#include <vector>
#include "app/scene/scene_file.h"

// Indices of `trellis`, every object after the trellis objects it takes
// sections from. Throws SceneError naming the section that closes a loop.
std::vector<int> orderTrellisForEvaluation(const std::vector<TrellisDesc>& trellis);
