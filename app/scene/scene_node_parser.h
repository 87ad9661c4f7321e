// Reading one entry of a scene file's "nodes" list.
#pragma once
#include "app/scene/json_field.h"
#include "app/scene/scene_file.h"

// The name's uniqueness is checked by the caller, which sees every name.
NodeDesc parseNode(const JsonField& node);
