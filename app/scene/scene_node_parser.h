// Reading one entry of a scene file's "nodes" list.
#pragma once
#include "app/scene/field_reader.h"
#include "app/scene/scene_file.h"
#include "app/scene/scene_limits.h"

// The name's uniqueness is checked by the caller, which sees every name.
// Curves and keys past a limit of `sizes` are read but not kept.
NodeDesc parseNode(FieldReader& node, SceneSizeCheck& sizes);
