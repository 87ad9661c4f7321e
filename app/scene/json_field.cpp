#include "app/scene/json_field.h"
#include <cctype>
#include <cfloat>
#include <climits>
#include <cmath>
#include "app/scene/scene_error.h"

void JsonField::fail(const std::string& what) const {
    throw SceneError(path.empty() ? what : path + ": " + what);
}

void JsonField::failType(const char* expected) const {
    fail(std::string("expected ") + expected + ", got " + json->type_name());
}

bool JsonField::has(const char* key) const {
    requireObject();
    return json->contains(key);
}

JsonField JsonField::member(const char* key) const {
    std::optional<JsonField> found = optionalMember(key);
    if (!found) fail(std::string("missing required field \"") + key + "\"");
    return *found;
}

std::optional<JsonField> JsonField::optionalMember(const char* key) const {
    requireObject();
    auto it = json->find(key);
    if (it == json->end()) return std::nullopt;
    return JsonField(*it, path.empty() ? std::string(key) : path + "." + key);
}

JsonField JsonField::element(std::size_t i) const {
    return JsonField((*json)[i], path + "[" + std::to_string(i) + "]");
}

void JsonField::requireObject() const {
    if (!json->is_object()) failType("an object");
}

std::size_t JsonField::arraySize() const {
    if (!json->is_array()) failType("an array");
    return json->size();
}

bool JsonField::readBool() const {
    if (!json->is_boolean()) failType("true or false");
    return json->get<bool>();
}

std::string JsonField::readString() const {
    if (!json->is_string()) failType("a string");
    return json->get<std::string>();
}

std::string JsonField::readName() const {
    std::string name = readString();
    if (name.empty()) fail("a node name must not be empty");
    if (name.find('\0') != std::string::npos) fail("a node name must not contain a NUL character");
    return name;
}

int JsonField::readInt() const {
    if (!json->is_number()) failType("an integer");
    if (json->is_number_unsigned()) {
        if (json->get<std::uint64_t>() > static_cast<std::uint64_t>(INT_MAX))
            fail("integer out of range (at most " + std::to_string(INT_MAX) + ")");
        return static_cast<int>(json->get<std::uint64_t>());
    }
    if (json->is_number_integer()) {
        std::int64_t v = json->get<std::int64_t>();
        if (v < INT_MIN || v > INT_MAX)
            fail("integer out of range (" + std::to_string(INT_MIN) + " to " + std::to_string(INT_MAX) + ")");
        return static_cast<int>(v);
    }
    double d = json->get<double>();
    if (!(std::floor(d) == d)) fail("expected an integer, got " + json->dump());
    if (d < static_cast<double>(INT_MIN) || d > static_cast<double>(INT_MAX))
        fail("integer out of range (" + std::to_string(INT_MIN) + " to " + std::to_string(INT_MAX) + ")");
    return static_cast<int>(d);
}

float JsonField::readFloat() const {
    if (!json->is_number()) failType("a number");
    double d = json->get<double>();
    double magnitude = std::fabs(d);
    // Between the largest float and FLOAT_ROUNDS_TO_INFINITY a number rounds
    // to the largest float: "3.4028235e+38", the shortest text of that
    // float, is such a number. Converting it is undefined behaviour, though,
    // so the largest float is given outright.
    if (!(magnitude < FLOAT_ROUNDS_TO_INFINITY)) fail("number out of range for a float");
    if (magnitude > static_cast<double>(FLT_MAX)) return d > 0 ? FLT_MAX : -FLT_MAX;
    return static_cast<float>(d);
}

Point3 JsonField::readPoint() const {
    if (!json->is_array()) failType("an array of 3 numbers");
    if (json->size() != 3) fail("expected an array of 3 numbers, got " + std::to_string(json->size()));
    return Point3(element(0).readFloat(), element(1).readFloat(), element(2).readFloat());
}

std::string asciiLowerCase(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
