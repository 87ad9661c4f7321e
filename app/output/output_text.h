// Text for an output stream, gathered in pieces of about 64 KiB: a writer
// puts numbers one by one without building its document in memory and
// without a stream call for each.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

class OutputText {
public:
    explicit OutputText(std::ostream& out);
    OutputText(const OutputText&) = delete;
    OutputText& operator=(const OutputText&) = delete;

    OutputText& operator<<(char c);
    OutputText& operator<<(const char* text);
    OutputText& operator<<(const std::string& text);
    OutputText& operator<<(std::string_view text);
    OutputText& operator<<(std::int64_t number);
    OutputText& operator<<(int number) { return *this << static_cast<std::int64_t>(number); }
    OutputText& operator<<(std::size_t number) { return *this << static_cast<std::int64_t>(number); }
    // The shortest text that reads back as the same float ("0.1", "100", "1e+20").
    void shortest(float number);
    // Fixed-point with two decimals ("12.50", "-0.00").
    void twoDecimals(double number);

    // Hands what is gathered to the stream; more may be written after it.
    void finish();
    // The stream, for a writer of its own once what is gathered was handed over.
    std::ostream& stream() { return out; }

private:
    void flushWhenFull();

    std::ostream& out;
    std::string buffer;
};
