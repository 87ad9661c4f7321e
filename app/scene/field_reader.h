// Typed reads of the values of a scene file as they stream by, remembering
// where each value sits in the file ("nodes[2].shape.splines[0].closed") so
// that every complaint about the input can say where it is. Every read
// throws SceneError "where: what" on a fault; the place is put into words
// only then, so reading a million knots builds no path text.
#pragma once
#include <deque>
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
    // Valid until the next read.
    std::string_view readString();
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
        std::size_t index = 0;    // of an element, when isIndex
        bool isIndex = false;
    };

    // The step one level down. Steps are kept when left and used again at
    // that depth, so a member's key is read into storage it already has;
    // a deque never moves the steps below a new one, so the key handed to
    // a member's reader stays valid while it reads deeper.
    Step& enter(bool isIndex) {
        if (depth == path.size()) path.emplace_back();
        Step& step = path[depth++];
        step.isIndex = isIndex;
        return step;
    }
    void leave() { --depth; }

    // "a.b[2]" of the first `steps` steps of the path.
    std::string placeOf(std::size_t steps) const;

    JsonReader& json;
    std::deque<Step> path;   // the first `depth` steps lead to the value being read
    std::size_t depth = 0;
    JsonNumber last;
};

// Names given by the user compare without regard to ASCII letter case.
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b);

template <class OnMember>
void FieldReader::readObject(OnMember&& onMember) {
    if (kind() != JsonKind::Object) failType("an object");
    json.enterObject();
    Step& member = enter(false);
    while (json.nextMember(member.key))
        if (!onMember(std::string_view(member.key))) json.skipValue();
    leave();
}

template <class OnElement>
std::size_t FieldReader::readArray(OnElement&& onElement) {
    if (kind() != JsonKind::Array) failType("an array");
    json.enterArray();
    Step& element = enter(true);
    std::size_t count = 0;
    while (json.nextElement()) {
        element.index = count;
        onElement(count);
        ++count;
    }
    leave();
    return count;
}

template <class OnElement>
std::size_t FieldReader::readArrayCheckingCountFirst(OnElement&& onElement, std::optional<SceneError>& fault) {
    json.enterArray();
    Step& element = enter(true);
    const std::size_t inside = depth;
    std::size_t count = 0;
    while (json.nextElement()) {
        element.index = count;
        try {
            onElement(count);
        } catch (const SceneError& e) {
            if (!fault) fault = e;
            depth = inside;
            if (json.hasPeekedValue()) json.skipValue();
        }
        ++count;
    }
    leave();
    return count;
}
