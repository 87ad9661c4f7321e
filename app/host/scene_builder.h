// Builds the host scene that a scene description asks for: nodes with their
// transforms, pivots and objects, and one trellis object per trellis entry,
// in a node of its own, with its sections and spline type set.
#pragma once
#include <string>
#include <vector>
#include "max.h"
#include "plugapi.h"
#include "app/scene/scene_file.h"

// The nodes of the scene's trellis objects, in the scene file's order;
// null where the user deleted the node.
typedef std::vector<INode*> TrellisNodes;

// Fills `scene`, which should be empty, making every trellis object through
// `trellisClass`, the loaded plug-in's descriptor, as the host does.
// Throws SceneError when the descriptor makes no trellis object.
TrellisNodes buildScene(const SceneDesc& desc, Scene& scene, ClassDesc& trellisClass);

// Deletes the named nodes as a user would, and forgets those of them that
// held trellis objects. Every name is checked before any node goes; a name
// may be given twice. Throws SceneError for an unknown name.
void deleteNamedNodes(Scene& scene, const std::vector<std::string>& names, TrellisNodes& trellisNodes);
