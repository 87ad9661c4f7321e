// Typed reads of the values of a scene file as they stream by, remembering
// where each value sits in the file ("nodes[2].shape.splines[0].closed") so
// that every complaint about the input can say where it is. Every read
// throws SceneError "where: what" on a fault; the place is put into words
// only then, so reading a million knots builds no path text.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include "point3.h"
#include "app/scene/json_reader.h"
#include "app/scene/scene_error.h"

class FieldReader {
public:
    explicit FieldReader(JsonReader& reader) : json(reader) {}

    // "nodes[2].shape", or "" at the top level.
    std::string where() const;
    // The place of the object or array holding the value being read.
    std::string whereAbove() const;
    // Throws SceneError "where: what".
    [[noreturn]] void fail(const std::string& what) const;
    // The same about the object or array holding the value being read.
    [[noreturn]] void failAbove(const std::string& what) const;
    // The same about the member `key` of the object just read.
    [[noreturn]] void failMember(const char* key, const std::string& what) const;
    // "expected <expected>, got <the kind of the value about to be read>".
    [[noreturn]] void failType(const char* expected);

    // The kind of the value about to be read.
    JsonKind kind() { return json.peek(); }

    void skip() { json.skipValue(); }
    void readNull() { json.readNull(); }
    bool readBool();
    std::string readString();
    // A non-empty string without NUL characters: the host keeps names as C strings.
    std::string readName();
    // A whole number within the host's 32-bit integer range (4800.0 counts as whole).
    int readInt();
    // Any number that rounds to a finite float, as that float.
    float readFloat();
    // [x, y, z].
    Point3 readPoint();
    // The number readInt or readFloat read last, as the file gave it.
    const JsonNumber& lastNumber() const { return last; }

    // Reads an object member by member: `onMember(key)` reads the member's
    // value and returns true, or returns false to have it skipped (a field
    // the format does not know). A key given twice is read twice.
    template <class OnMember>
    void readObject(OnMember&& onMember);

    // Reads an array element by element with `onElement(index)`, which
    // reads the element; returns the element count.
    template <class OnElement>
    std::size_t readArray(OnElement&& onElement);

    // Reads an array whose length is checked before its elements: each
    // element is a single value (no container is entered) read by
    // `onElement(index)`; the first element's fault is kept in `fault` and
    // the rest still read, so the caller can check the count first.
    template <class OnElement>
    std::size_t readArrayCheckingCountFirst(OnElement&& onElement, std::optional<SceneError>& fault);

private:
    struct Step {
        std::string key;          // of a member
        std::size_t index = 0;    // of an element, when key is empty and isIndex
        bool isIndex = false;
    };

    // "a.b[2]" of the first `steps` steps of the path.
    std::string placeOf(std::size_t steps) const;

    JsonReader& json;
    std::vector<Step> path;
    JsonNumber last;
};

// Names given by the user compare without regard to ASCII letter case.
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b);

template <class OnMember>
void FieldReader::readObject(OnMember&& onMember) {
    if (kind() != JsonKind::Object) failType("an object");
    json.enterObject();
    std::string key;
    while (json.nextMember(key)) {
        path.push_back(Step{key, 0, false});
        if (!onMember(static_cast<const std::string&>(path.back().key))) json.skipValue();
        path.pop_back();
    }
}

template <class OnElement>
std::size_t FieldReader::readArray(OnElement&& onElement) {
    if (kind() != JsonKind::Array) failType("an array");
    json.enterArray();
    std::size_t count = 0;
    while (json.nextElement()) {
        path.push_back(Step{std::string(), count, true});
        onElement(count);
        path.pop_back();
        ++count;
    }
    return count;
}

template <class OnElement>
std::size_t FieldReader::readArrayCheckingCountFirst(OnElement&& onElement, std::optional<SceneError>& fault) {
    json.enterArray();
    std::size_t depth = path.size();
    std::size_t count = 0;
    while (json.nextElement()) {
        path.push_back(Step{std::string(), count, true});
        try {
            onElement(count);
        } catch (const SceneError& e) {
            if (!fault) fault = e;
            path.resize(depth + 1);
            if (json.hasPeekedValue()) json.skipValue();
        }
        path.pop_back();
        ++count;
    }
    return count;
}
