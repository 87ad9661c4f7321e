// The host's parametric shape object for a scene file's primitive.
#pragma once
#include "simpshp.h"
#include "app/scene/primitive_desc.h"

// A new shape object with its parameters set (constants, or keys that
// replace the parameter's animation).
SimpleShape* makePrimitiveObject(const PrimitiveDesc& desc);
