// Reading JSON text value by value, straight into whatever the caller
// builds, without a document tree: a 10 MB scene file would otherwise
// become hundreds of megabytes of nodes and maps before any of it is used.
// The tokens accept exactly the texts the JSON library accepts; a text the
// reader cannot read is described by the library's parser (syntaxErrorOf),
// with line and column.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "app/scene/json_tokens.h"

// The magnitude from which a number rounds to an infinite float: halfway
// between the largest float and the next power of two, 2^128 - 2^103. The
// largest float's last bit is odd, so the halfway point itself rounds up.
const double FLOAT_ROUNDS_TO_INFINITY = 340282356779733661637539395458142568448.0;

enum class JsonKind { Null, Boolean, Number, String, Array, Object };

// The library's name of a kind, as messages say "got string".
const char* jsonKindName(JsonKind kind);

struct JsonNumber {
    enum class Form { Unsigned, Integer, Float } form = Form::Float;
    std::uint64_t unsignedValue = 0;
    std::int64_t integerValue = 0;
    double floatValue = 0.0;   // every form, as a double

    // The number as the library writes it ("2.5", "-1", "1e+20").
    std::string text() const;
};

class JsonReader {
public:
    // `text` must outlive the reader.
    explicit JsonReader(const std::string& text);

    // The kind of the next value, which the reads below then consume.
    JsonKind peek();
    // Whether a value was peeked at and not read yet.
    bool hasPeekedValue() const { return peeked; }

    void readNull();
    bool readBool();
    JsonNumber readNumber();
    // Valid until the next read.
    std::string_view readString();
    // Any value, however deep, without recursion.
    void skipValue();

    // Containers: enter, then call next... until it returns false (the
    // closing bracket was read). nextMember reads the member's key and the
    // colon; its value is read next.
    void enterObject();
    bool nextMember(std::string& key);
    void enterArray();
    bool nextElement();

    // Nothing but white space may follow the top-level value.
    void expectEnd();

private:
    using Token = JsonToken;

    Token peekToken();
    void consume(Token expected);
    // After the first member or element, a comma or the closing bracket.
    bool continues(Token close);

    JsonTokens tokens;
    Token token = Token::End;
    bool peeked = false;
    // Per open container: whether its first member or element is still to come.
    // Bytes rather than std::vector<bool>'s bits: read and written for every
    // member and element, which bits make several operations each.
    std::vector<unsigned char> atFirst;
};

// The library's description of why `text` is not JSON ("parse error at line
// 3, column 5: ..." or "number overflow parsing '1e400'"), without its
// exception tag; empty when the library accepts the text.
std::string syntaxErrorOf(const std::string& text);
