#include "app/output/json_number.h"
#include <charconv>
#include <system_error>
#include "app/output/shortest_float.h"

double roundTripDouble(float value) {
    char text[SHORTEST_FLOAT_ROOM];
    const char* end = writeShortestFloat(text, value);
    // from_chars, unlike strtod, reads the decimal point whatever the locale.
    double result = 0.0;
    std::from_chars_result read = std::from_chars(text, end, result);
    if (read.ec != std::errc()) return static_cast<double>(value);
    return result;
}

nlohmann::ordered_json pointToJson(const Point3& p) {
    return nlohmann::ordered_json::array({roundTripDouble(p.x), roundTripDouble(p.y), roundTripDouble(p.z)});
}
