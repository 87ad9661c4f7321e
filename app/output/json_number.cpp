#include "app/output/json_number.h"
#include <charconv>
#include <system_error>

double roundTripDouble(float value) {
    // 32 characters hold any float in its shortest form (at most 9
    // significant digits, a sign, a point and an exponent).
    char text[32];
    std::to_chars_result written = std::to_chars(text, text + sizeof(text), value);
    if (written.ec != std::errc()) return static_cast<double>(value);
    // from_chars, unlike strtod, reads the decimal point whatever the locale.
    double result = 0.0;
    std::from_chars_result read = std::from_chars(text, written.ptr, result);
    if (read.ec != std::errc()) return static_cast<double>(value);
    return result;
}

nlohmann::ordered_json pointToJson(const Point3& p) {
    return nlohmann::ordered_json::array({roundTripDouble(p.x), roundTripDouble(p.y), roundTripDouble(p.z)});
}
