#include "app/output/json_writer.h"
#include <nlohmann/json.hpp>

JsonWriter::JsonWriter(std::ostream& out, JsonStrings strings) : text(out), scriptSafe(strings == JsonStrings::ScriptSafe) {}

void JsonWriter::beginObject() {
    separate();
    text << '{';
    started.push_back(0);
}

void JsonWriter::endObject() {
    text << '}';
    started.pop_back();
}

void JsonWriter::beginArray() {
    separate();
    text << '[';
    started.push_back(0);
}

void JsonWriter::endArray() {
    text << ']';
    started.pop_back();
}

void JsonWriter::value(std::int64_t number) {
    separate();
    text << number;
}

void JsonWriter::value(bool flag) {
    separate();
    text << (flag ? "true" : "false");
}

void JsonWriter::value(const std::string& string) {
    separate();
    std::string quoted = nlohmann::json(string).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    if (!scriptSafe) {
        text << quoted;
        return;
    }
    // Inside the quotes, so an escape reads back as the same character.
    for (char c : quoted) {
        if (c == '<') text << "\\u003c";
        else if (c == '>') text << "\\u003e";
        else if (c == '&') text << "\\u0026";
        else text << c;
    }
}

void JsonWriter::value(const Point3& p) {
    separate();
    // Written whole into room for three numbers and the punctuation.
    text.put(3 * SHORTEST_FLOAT_ROOM + 4, [&p](char* at) {
        at = writeFloat(putText(at, "["), p.x);
        at = writeFloat(putText(at, ","), p.y);
        at = writeFloat(putText(at, ","), p.z);
        return putText(at, "]");
    });
}

void JsonWriter::finish() {
    text << '\n';
    text.finish();
}
