// The trellis object that `trellis edit` works on: one the scene has, or a
// new one made by a click in a viewport.
#pragma once
#include <string>
#include "max.h"
#include "plugapi.h"

// The node of the scene's trellis object `name`. Throws SceneError when no
// node has the name or its object is no trellis object.
INode& findTrellisNode(Scene& scene, const std::string& name);

// Creates a trellis object as the host's create mode does, through
// `trellisClass`, the loaded plug-in's descriptor, with one click at `mouse` in a viewport of its
// own; the new node is named `name`. The object's rollup stays open for
// creation. Throws SceneError when the name is taken, unusable or the
// creation fails.
INode& createTrellisByClick(IObjParam& host, ClassDesc& trellisClass, const std::string& name, IPoint2 mouse);
