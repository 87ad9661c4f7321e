// Text for an output stream, gathered in pieces of 64 KiB: a writer puts
// numbers one by one without building its document in memory and without
// a stream call for each. Numbers are written straight into the piece.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

// Copies a literal's characters to `at` and returns their end: for writers
// that fill the room OutputText::put gives them.
template <std::size_t N>
char* putText(char* at, const char (&text)[N]) {
    std::memcpy(at, text, N - 1);
    return at + (N - 1);
}

class OutputText {
public:
    explicit OutputText(std::ostream& out);
    OutputText(const OutputText&) = delete;
    OutputText& operator=(const OutputText&) = delete;

    OutputText& operator<<(char c) {
        *room(1) = c;
        ++used;
        return *this;
    }
    OutputText& operator<<(const char* text) { return *this << std::string_view(text); }
    OutputText& operator<<(const std::string& text) { return *this << std::string_view(text); }
    OutputText& operator<<(std::string_view text) {
        if (text.size() > CAPACITY - used) return appendLong(text);
        std::memcpy(piece.get() + used, text.data(), text.size());
        used += text.size();
        return *this;
    }
    OutputText& operator<<(std::int64_t number) {
        // A single digit, as a document's flags and types mostly are, inline.
        if (number >= 0 && number < 10) return *this << static_cast<char>('0' + number);
        return writeWhole(number);
    }
    OutputText& operator<<(int number) { return *this << static_cast<std::int64_t>(number); }
    OutputText& operator<<(std::size_t number) { return *this << static_cast<std::int64_t>(number); }

    // What `write(at)` puts at `at`, at most `size` characters; it returns the
    // end of what it wrote. For the number writers, which store whole words
    // at a time, and for a line of numbers written whole (one check for room,
    // and the place to write kept in a register rather than in this object).
    template <class Writer>
    void put(std::size_t size, Writer write) {
        filledTo(write(room(size)));
    }

    // Hands what is gathered to the stream; more may be written after it.
    void finish();
    // The stream, for a writer of its own once what is gathered was handed over.
    std::ostream& stream() { return out; }

private:
    static const std::size_t CAPACITY = 1 << 16;

    // Where `size` more characters go (at most a number's worth), after
    // handing the piece to the stream when they would not fit.
    char* room(std::size_t size) {
        if (size > CAPACITY - used) handOver();
        return piece.get() + used;
    }
    // What was written into the room ends at `end`.
    void filledTo(const char* end) { used = static_cast<std::size_t>(end - piece.get()); }
    void handOver();
    OutputText& writeWhole(std::int64_t number);
    OutputText& appendLong(std::string_view text);

    std::ostream& out;
    std::unique_ptr<char[]> piece;
    std::size_t used = 0;
};
