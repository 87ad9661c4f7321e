// Typed reads of a JSON value that remember where the value sits in the
// file ("nodes[2].shape.splines[0].closed"), so that every complaint about
// the input can say where it is. Every read throws SceneError on a fault.
#pragma once
#include <optional>
#include <string>
#include <nlohmann/json.hpp>
#include "point3.h"

class JsonField {
public:
    JsonField(const nlohmann::json& value, std::string where) : json(&value), path(std::move(where)) {}

    const nlohmann::json& value() const { return *json; }
    const std::string& where() const { return path; }

    // Throws SceneError "where: what".
    [[noreturn]] void fail(const std::string& what) const;

    // Members of an object (the value must be one) and elements of an array.
    bool has(const char* key) const;
    JsonField member(const char* key) const;          // required
    std::optional<JsonField> optionalMember(const char* key) const;
    JsonField element(std::size_t i) const;

    void requireObject() const;
    // The element count; the value must be an array.
    std::size_t arraySize() const;

    bool readBool() const;
    std::string readString() const;
    // A non-empty string without NUL characters: the host keeps names as C strings.
    std::string readName() const;
    // A whole number within the host's 32-bit integer range (4800.0 counts as whole).
    int readInt() const;
    // Any number that rounds to a finite float, as that float.
    float readFloat() const;
    // [x, y, z].
    Point3 readPoint() const;

private:
    [[noreturn]] void failType(const char* expected) const;
    const nlohmann::json* json;
    std::string path;
};

// The magnitude from which a number rounds to an infinite float: halfway
// between the largest float and the next power of two, 2^128 - 2^103. The
// largest float's last bit is odd, so the halfway point itself rounds up.
const double FLOAT_ROUNDS_TO_INFINITY = 340282356779733661637539395458142568448.0;

// Names given by the user compare without regard to ASCII letter case.
std::string asciiLowerCase(std::string s);
