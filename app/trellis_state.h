// A trellis object in the scene described as a scene file's trellis entry,
// with what the host persists of it: its section slots and "SplineType".
#pragma once
#include "max.h"
#include "app/scene_file.h"

// The node's name and position at t; the 100 section slots in order,
// trailing empty slots dropped; "SplineType" as its keys when animated,
// else its value at t. `object` is the node's trellis object.
TrellisDesc describeTrellis(INode& node, ReferenceTarget& object, TimeValue t);
