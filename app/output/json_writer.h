// JSON written as it is produced, into a stream: compact (one line, no
// blanks, as the JSON library's compact dump), each float in its shortest
// form that reads back as the same float, and never a whole document in
// memory.
#pragma once
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>
#include "point3.h"
#include "app/output/output_text.h"
#include "app/output/shortest_float.h"

// ScriptSafe writes '<', '>' and '&' in strings as \u escapes, so that a
// document inside an HTML <script> element cannot end it, whatever its text.
enum class JsonStrings { Plain, ScriptSafe };

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out, JsonStrings strings = JsonStrings::Plain);
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // A member's name; its value is written next. Names are the writer's
    // own, never escaped. Inline, as the float's writer below: a cage's
    // knots are millions of both.
    void key(std::string_view name) {
        separate();
        text << '"' << name << "\":";
        afterKey = true;
    }
    // A float that is not finite is written as null: JSON has no such numbers.
    void value(float number) {
        separate();
        text.put(SHORTEST_FLOAT_ROOM, [number](char* at) { return writeFloat(at, number); });
    }
    void value(std::int64_t number);
    void value(int number) { value(static_cast<std::int64_t>(number)); }
    void value(bool flag);
    // Text that is not valid UTF-8 (there should be none) has its bad bytes
    // replaced rather than thrown over.
    void value(const std::string& text);
    // [x, y, z].
    void value(const Point3& p);

    // Ends the document with a newline and hands everything to the stream.
    void finish();

private:
    // Before a value: a comma unless it is its container's first, or a member's.
    void separate() {
        if (afterKey) {
            afterKey = false;
            return;
        }
        if (started.empty()) return;
        if (started.back()) text << ',';
        started.back() = 1;
    }
    // Into SHORTEST_FLOAT_ROOM characters at `at`; returns the text's end.
    static char* writeFloat(char* at, float number) {
        if (!std::isfinite(number)) return putText(at, "null");
        // "-0" would read back as the integer 0 and lose its sign.
        if (number == 0.0f && std::signbit(number)) return putText(at, "-0.0");
        return writeShortestFloat(at, number);
    }

    OutputText text;
    std::vector<char> started;   // per open container: whether it holds a value yet
    bool afterKey = false;
    bool scriptSafe;
};
