// Builds the host scene that a scene description asks for: nodes with their
// transforms, pivots and objects, and one trellis object per trellis entry,
// in a node of its own, with its sections and spline type set.
#pragma once
#include <string>
#include <vector>
#include "max.h"
#include "app/scene_file.h"

class TrellisObject;

// The one place trellis objects are made.
TrellisObject* createTrellisObject();

// Fills `scene`, which should be empty (names are looked up in it).
void buildScene(const SceneDesc& desc, Scene& scene);

// Deletes the named nodes as a user would. Every name is checked before any
// node goes; a name may be given twice. Throws SceneError for an unknown name.
void deleteNamedNodes(Scene& scene, const std::vector<std::string>& names);
