#include "app/scene/json_reader.h"
#include <charconv>
#include <cmath>

namespace {

// A decimal just below FLOAT_ROUNDS_TO_INFINITY rounds to the largest
// float, yet its nearest double may be that halfway point itself, which as
// a float rounds to infinity; only the text can tell, so such a number is
// taken as the largest float when its text says so.
double asWritten(double value, const std::string& text) {
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

JsonReader::JsonReader(const std::string& text)
    : lexer(nlohmann::detail::input_adapter(text.data(), text.data() + text.size()), false) {}

JsonReader::Token JsonReader::scan() {
    Token scanned = lexer.scan();
    if (scanned == Token::parse_error) throw JsonSyntaxFault();
    return scanned;
}

JsonReader::Token JsonReader::peekToken() {
    if (!peeked) {
        token = scan();
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
        case Token::literal_null: return JsonKind::Null;
        case Token::literal_true:
        case Token::literal_false: return JsonKind::Boolean;
        case Token::value_unsigned:
        case Token::value_integer:
        case Token::value_float: return JsonKind::Number;
        case Token::value_string: return JsonKind::String;
        case Token::begin_array: return JsonKind::Array;
        case Token::begin_object: return JsonKind::Object;
        default: throw JsonSyntaxFault();
    }
}

void JsonReader::readNull() {
    consume(Token::literal_null);
}

bool JsonReader::readBool() {
    bool value = peekToken() == Token::literal_true;
    consume(value ? Token::literal_true : Token::literal_false);
    return value;
}

JsonNumber JsonReader::readNumber() {
    JsonNumber number;
    switch (peekToken()) {
        case Token::value_unsigned:
            number.form = JsonNumber::Form::Unsigned;
            number.unsignedValue = lexer.get_number_unsigned();
            number.floatValue = static_cast<double>(number.unsignedValue);
            break;
        case Token::value_integer:
            number.form = JsonNumber::Form::Integer;
            number.integerValue = lexer.get_number_integer();
            number.floatValue = static_cast<double>(number.integerValue);
            break;
        case Token::value_float:
            // The library refuses a literal beyond the double range.
            if (!std::isfinite(lexer.get_number_float())) throw JsonSyntaxFault();
            number.floatValue = asWritten(lexer.get_number_float(), lexer.get_string());
            break;
        default: throw JsonSyntaxFault();
    }
    peeked = false;
    return number;
}

const std::string& JsonReader::readString() {
    consume(Token::value_string);
    return lexer.get_string();
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
    bool first = atFirst.back();
    atFirst.back() = false;
    if (next == close) {
        peeked = false;
        atFirst.pop_back();
        return false;
    }
    if (!first) consume(Token::value_separator);
    return true;
}

void JsonReader::enterObject() {
    consume(Token::begin_object);
    atFirst.push_back(true);
}

bool JsonReader::nextMember(std::string& key) {
    if (!continues(Token::end_object)) return false;
    consume(Token::value_string);
    key = lexer.get_string();
    consume(Token::name_separator);
    return true;
}

void JsonReader::enterArray() {
    consume(Token::begin_array);
    atFirst.push_back(true);
}

bool JsonReader::nextElement() {
    return continues(Token::end_array);
}

void JsonReader::expectEnd() {
    consume(Token::end_of_input);
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
