// Reading a parametric shape from a node's "shape" entry:
// {"circle": {"radius": r}}, {"rectangle": {"length": l, "width": w}},
// {"ngon": {"radius": r, "sides": n}}, {"star": {"radius1": a, "radius2": b, "points": n}},
// each parameter a number or {"keys": [[time, value], ...]}.
#pragma once
#include <vector>
#include "app/scene/json_field.h"
#include "app/scene/primitive_desc.h"

// The primitives' keys ("circle", ...) the shape entry holds, none for a shape of splines or polylines.
std::vector<const char*> primitiveKeysOf(const JsonField& shape);

// Parses the primitive under `key` of the shape entry. Throws SceneError
// naming the field for a missing, unknown or out-of-range parameter.
PrimitiveDesc parsePrimitive(const JsonField& shape, const char* key);
