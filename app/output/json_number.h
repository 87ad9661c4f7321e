// Single-precision numbers written to JSON so that they read back exactly.
#pragma once
#include <nlohmann/json.hpp>
#include "point3.h"

// The double whose shortest decimal form is the float's shortest decimal
// form: 0.1f becomes 0.1 (not 0.100000001490116). Reading that decimal back
// as a float gives the same float bit for bit. Infinities and not-a-number
// pass through as themselves.
double roundTripDouble(float value);

// [x, y, z], each coordinate through roundTripDouble. A JSON writer prints a
// coordinate that is not finite as null, since JSON has no such numbers.
nlohmann::ordered_json pointToJson(const Point3& p);
