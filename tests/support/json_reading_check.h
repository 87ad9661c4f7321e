// The scene reader's JSON against the JSON library's: a text is read whole
// by both or by neither, and to the same values (the same numbers in the
// same forms, the same decoded strings). Shared by the unit test and the
// fuzz target.
#pragma once
#include <string>
#include <nlohmann/json.hpp>
#include "app/scene/json_reader.h"

namespace jsoncheck {

// The value the reader reads next, as a document of the library's.
inline nlohmann::json readValue(JsonReader& reader) {
    switch (reader.peek()) {
        case JsonKind::Null: reader.readNull(); return nullptr;
        case JsonKind::Boolean: return reader.readBool();
        case JsonKind::String: return std::string(reader.readString());
        case JsonKind::Number: {
            JsonNumber n = reader.readNumber();
            if (n.form == JsonNumber::Form::Unsigned) return n.unsignedValue;
            if (n.form == JsonNumber::Form::Integer) return n.integerValue;
            return n.floatValue;
        }
        case JsonKind::Array: {
            nlohmann::json array = nlohmann::json::array();
            reader.enterArray();
            while (reader.nextElement()) array.push_back(readValue(reader));
            return array;
        }
        case JsonKind::Object: {
            nlohmann::json object = nlohmann::json::object();
            std::string key;
            reader.enterObject();
            while (reader.nextMember(key)) object[key] = readValue(reader);
            return object;
        }
    }
    return nullptr;
}

struct Reading {
    bool accepted = false;
    std::string dump;   // the values read, when accepted
};

inline Reading byReader(const std::string& text) {
    Reading reading;
    try {
        JsonReader reader(text);
        nlohmann::json value = readValue(reader);
        reader.expectEnd();
        reading = {true, value.dump()};
    } catch (const JsonSyntaxFault&) {
    }
    return reading;
}

inline Reading byLibrary(const std::string& text) {
    Reading reading;
    try {
        reading = {true, nlohmann::json::parse(text).dump()};
    } catch (const nlohmann::json::exception&) {
    }
    return reading;
}

// Empty when the two agree, else what differs. Texts with NUL bytes are
// left out: the library takes a NUL as the end of the text, and scene files
// with one are refused before their JSON is read.
inline std::string disagreement(const std::string& text) {
    if (text.find('\0') != std::string::npos) return "";
    Reading reader = byReader(text), library = byLibrary(text);
    if (reader.accepted != library.accepted)
        return std::string("the reader ") + (reader.accepted ? "accepts" : "refuses") + " a text the library " +
               (library.accepted ? "accepts" : "refuses");
    if (reader.dump != library.dump) return "reader read " + reader.dump + ", library " + library.dump;
    return "";
}

}  // namespace jsoncheck
