#include "app/scene/json_reader.h"
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace {

// A decimal just below FLOAT_ROUNDS_TO_INFINITY rounds to the largest
// float, yet its nearest double may be that halfway point itself, which as
// a float rounds to infinity; only the text can tell, so such a number is
// taken as the largest float when its text says so.
double asWritten(double value, std::string_view text) {
    if (std::fabs(value) != FLOAT_ROUNDS_TO_INFINITY) return value;
    float nearest = 0.0f;
    std::from_chars_result read = std::from_chars(text.data(), text.data() + text.size(), nearest);
    bool finite = read.ec == std::errc() && read.ptr == text.data() + text.size();
    return finite ? static_cast<double>(nearest) : value;
}

// Accepts every value and throws the library's exception at the first
// fault, so that its message is the one a document parse would give.
class SyntaxCheck : public nlohmann::json_sax<nlohmann::json> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override {
        throw error;
    }
};

}  // namespace

const char* jsonKindName(JsonKind kind) {
    switch (kind) {
        case JsonKind::Null: return "null";
        case JsonKind::Boolean: return "boolean";
        case JsonKind::Number: return "number";
        case JsonKind::String: return "string";
        case JsonKind::Array: return "array";
        case JsonKind::Object: return "object";
    }
    return "value";
}

std::string JsonNumber::text() const {
    switch (form) {
        case Form::Unsigned: return nlohmann::json(unsignedValue).dump();
        case Form::Integer: return nlohmann::json(integerValue).dump();
        case Form::Float: break;
    }
    return nlohmann::json(floatValue).dump();
}

JsonReader::JsonReader(const std::string& text) : tokens(text.data(), text.data() + text.size()) {}

JsonReader::Token JsonReader::peekToken() {
    if (!peeked) {
        token = tokens.scan();
        peeked = true;
    }
    return token;
}

void JsonReader::consume(Token expected) {
    if (peekToken() != expected) throw JsonSyntaxFault();
    peeked = false;
}

JsonKind JsonReader::peek() {
    switch (peekToken()) {
        case Token::Null: return JsonKind::Null;
        case Token::True:
        case Token::False: return JsonKind::Boolean;
        case Token::Unsigned:
        case Token::Integer:
        case Token::Float: return JsonKind::Number;
        case Token::String: return JsonKind::String;
        case Token::BeginArray: return JsonKind::Array;
        case Token::BeginObject: return JsonKind::Object;
        default: throw JsonSyntaxFault();
    }
}

void JsonReader::readNull() {
    consume(Token::Null);
}

bool JsonReader::readBool() {
    bool value = peekToken() == Token::True;
    consume(value ? Token::True : Token::False);
    return value;
}

JsonNumber JsonReader::readNumber() {
    JsonNumber number;
    switch (peekToken()) {
        case Token::Unsigned:
            number.form = JsonNumber::Form::Unsigned;
            number.unsignedValue = tokens.unsignedValue();
            number.floatValue = static_cast<double>(number.unsignedValue);
            break;
        case Token::Integer:
            number.form = JsonNumber::Form::Integer;
            number.integerValue = tokens.integerValue();
            number.floatValue = static_cast<double>(number.integerValue);
            break;
        case Token::Float:
            // The library refuses a literal beyond the double range.
            if (!std::isfinite(tokens.floatValue())) throw JsonSyntaxFault();
            number.floatValue = asWritten(tokens.floatValue(), tokens.numberText());
            break;
        default: throw JsonSyntaxFault();
    }
    peeked = false;
    return number;
}

std::string_view JsonReader::readString() {
    consume(Token::String);
    return tokens.string();
}

void JsonReader::skipValue() {
    std::vector<bool> objects;   // the open containers of the skipped value
    std::string key;
    auto start = [&] {
        switch (peek()) {
            case JsonKind::Array: enterArray(); objects.push_back(false); break;
            case JsonKind::Object: enterObject(); objects.push_back(true); break;
            case JsonKind::Number: readNumber(); break;
            default: peeked = false; break;
        }
    };
    start();
    while (!objects.empty()) {
        if (objects.back() ? nextMember(key) : nextElement()) start();
        else objects.pop_back();
    }
}

bool JsonReader::continues(Token close) {
    Token next = peekToken();
    bool first = atFirst.back() != 0;
    atFirst.back() = 0;
    if (next == close) {
        peeked = false;
        atFirst.pop_back();
        return false;
    }
    if (!first) consume(Token::ValueSeparator);
    return true;
}

void JsonReader::enterObject() {
    consume(Token::BeginObject);
    atFirst.push_back(1);
}

bool JsonReader::nextMember(std::string& key) {
    if (!continues(Token::EndObject)) return false;
    consume(Token::String);
    key.assign(tokens.string());
    consume(Token::NameSeparator);
    return true;
}

void JsonReader::enterArray() {
    consume(Token::BeginArray);
    atFirst.push_back(1);
}

bool JsonReader::nextElement() {
    return continues(Token::EndArray);
}

void JsonReader::expectEnd() {
    consume(Token::End);
}

std::string syntaxErrorOf(const std::string& text) {
    try {
        SyntaxCheck check;
        nlohmann::json::sax_parse(text, &check);
    } catch (const nlohmann::json::exception& e) {
        // Drop the library's "[json.exception.parse_error.101] " tag; keep
        // its "parse error at line L, column C: ..." description. A literal
        // beyond the double range ends parsing too, with "number overflow
        // parsing '1e400'" and no position.
        std::string what = e.what();
        std::size_t tagEnd = what.find("] ");
        if (tagEnd != std::string::npos) what.erase(0, tagEnd + 2);
        return what;
    }
    return "";
}
