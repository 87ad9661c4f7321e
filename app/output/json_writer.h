// JSON written as it is produced, into a stream: compact (one line, no
// blanks, as the JSON library's compact dump), each float in its shortest
// form that reads back as the same float, and never a whole document in
// memory.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>
#include "point3.h"
#include "app/output/output_text.h"

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
    // A member's name; its value is written next.
    void key(const char* name);

    // A float that is not finite is written as null: JSON has no such numbers.
    void value(float number);
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
    void separate();

    OutputText text;
    std::vector<char> started;   // per open container: whether it holds a value yet
    bool afterKey = false;
    bool scriptSafe;
};
