#include "app/scene/field_reader.h"
#include <cfloat>
#include <climits>
#include <cmath>

std::string FieldReader::where() const {
    return placeOf(depth);
}

std::string FieldReader::placeOf(std::size_t steps) const {
    std::string text;
    for (std::size_t i = 0; i < steps; ++i) {
        const Step& step = path[i];
        if (step.isIndex) {
            text += "[" + std::to_string(step.index) + "]";
        } else {
            if (!text.empty()) text += ".";
            text += step.key;
        }
    }
    return text;
}

void FieldReader::fail(const std::string& what) const {
    std::string place = where();
    throw SceneError(place.empty() ? what : place + ": " + what);
}

std::string FieldReader::whereAbove() const {
    return placeOf(depth == 0 ? 0 : depth - 1);
}

void FieldReader::failAbove(const std::string& what) const {
    std::string place = whereAbove();
    throw SceneError(place.empty() ? what : place + ": " + what);
}

void FieldReader::failMember(const char* key, const std::string& what) const {
    std::string place = where();
    throw SceneError((place.empty() ? std::string(key) : place + "." + key) + ": " + what);
}

void FieldReader::failType(const char* expected) {
    fail(std::string("expected ") + expected + ", got " + jsonKindName(kind()));
}

bool FieldReader::readBool() {
    if (kind() != JsonKind::Boolean) failType("true or false");
    return json.readBool();
}

std::string_view FieldReader::readString() {
    if (kind() != JsonKind::String) failType("a string");
    return json.readString();
}

std::string FieldReader::readName() {
    std::string name(readString());
    if (name.empty()) fail("a node name must not be empty");
    if (name.find('\0') != std::string::npos) fail("a node name must not contain a NUL character");
    return name;
}

int FieldReader::readInt() {
    if (kind() != JsonKind::Number) failType("an integer");
    const JsonNumber& number = last = json.readNumber();
    auto failRange = [this] {
        fail("integer out of range (" + std::to_string(INT_MIN) + " to " + std::to_string(INT_MAX) + ")");
    };
    switch (number.form) {
        case JsonNumber::Form::Unsigned:
            if (number.unsignedValue > static_cast<std::uint64_t>(INT_MAX))
                fail("integer out of range (at most " + std::to_string(INT_MAX) + ")");
            return static_cast<int>(number.unsignedValue);
        case JsonNumber::Form::Integer:
            if (number.integerValue < INT_MIN || number.integerValue > INT_MAX) failRange();
            return static_cast<int>(number.integerValue);
        case JsonNumber::Form::Float: break;
    }
    double d = number.floatValue;
    if (!(std::floor(d) == d)) fail("expected an integer, got " + number.text());
    if (d < static_cast<double>(INT_MIN) || d > static_cast<double>(INT_MAX)) failRange();
    return static_cast<int>(d);
}

float FieldReader::readFloat() {
    if (kind() != JsonKind::Number) failType("a number");
    last = json.readNumber();
    double d = last.floatValue;
    double magnitude = std::fabs(d);
    // Between the largest float and FLOAT_ROUNDS_TO_INFINITY a number rounds
    // to the largest float: "3.4028235e+38", the shortest text of that
    // float, is such a number. Converting it is undefined behaviour, though,
    // so the largest float is given outright.
    if (!(magnitude < FLOAT_ROUNDS_TO_INFINITY)) fail("number out of range for a float");
    if (magnitude > static_cast<double>(FLT_MAX)) return d > 0 ? FLT_MAX : -FLT_MAX;
    return static_cast<float>(d);
}

Point3 FieldReader::readPoint() {
    if (kind() != JsonKind::Array) failType("an array of 3 numbers");
    float xyz[3] = {0.0f, 0.0f, 0.0f};
    std::optional<SceneError> fault;
    std::size_t count = readArrayCheckingCountFirst(
        [this, &xyz](std::size_t i) {
            if (i < 3) xyz[i] = readFloat();
            else skip();
        },
        fault);
    if (count != 3) fail("expected an array of 3 numbers, got " + std::to_string(count));
    if (fault) throw *fault;
    return Point3(xyz[0], xyz[1], xyz[2]);
}

namespace {

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}
