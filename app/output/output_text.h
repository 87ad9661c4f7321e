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
#include "app/output/shortest_float.h"
#include "app/output/two_decimals.h"

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
    OutputText& operator<<(std::int64_t number);
    OutputText& operator<<(int number) { return *this << static_cast<std::int64_t>(number); }
    OutputText& operator<<(std::size_t number) { return *this << static_cast<std::int64_t>(number); }
    // The shortest text that reads back as the same float ("0.1", "100", "1e+20").
    void shortest(float number) { filledTo(writeShortestFloat(room(SHORTEST_FLOAT_ROOM), number)); }
    // Fixed-point with two decimals ("12.50", "-0.00").
    void twoDecimals(double number) { filledTo(writeTwoDecimals(room(TWO_DECIMALS_SIZE), number)); }

    // What `write(at)` puts at `at`, at most `size` characters; it returns the
    // end of what it wrote. For writers that store whole words at a time.
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
    OutputText& appendLong(std::string_view text);

    std::ostream& out;
    std::unique_ptr<char[]> piece;
    std::size_t used = 0;
};
