// Reading a parametric shape from a node's "shape" entry:
// {"circle": {"radius": r}}, {"rectangle": {"length": l, "width": w}},
// {"ngon": {"radius": r, "sides": n}}, {"star": {"radius1": a, "radius2": b, "points": n}},
// each parameter a number or {"keys": [[time, value], ...]}.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include "app/scene/field_reader.h"
#include "app/scene/primitive_desc.h"

// Whether a member of the shape entry ("circle", ...) names a primitive.
bool isPrimitiveKey(std::string_view key);

// Parses the parameters of the primitive `key`, the value `params` is about
// to read. Throws SceneError naming the field for a missing, unknown or
// out-of-range parameter. `mostKeys` is set to the largest key count of
// one parameter, for the caller's limit check.
PrimitiveDesc parsePrimitive(FieldReader& params, std::string_view key, std::size_t& mostKeys);
