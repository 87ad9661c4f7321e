// Reading one entry of a scene file's "trellis" list.
#pragma once
#include "app/scene/field_reader.h"
#include "app/scene/scene_file.h"
#include "app/scene/scene_limits.h"

// The object reads at most this many sections: reference slots 1 to 100.
const std::size_t MAX_SECTION_SLOTS = 100;

// Names are checked against the scene by the caller, which sees every node.
TrellisDesc parseTrellis(FieldReader& trellis, SceneSizeCheck& sizes);
