#include "app/output/output_text.h"
#include <charconv>
#include "app/output/two_decimals.h"

namespace {

const std::size_t FLUSH_SIZE = 1 << 16;

}  // namespace

OutputText::OutputText(std::ostream& stream) : out(stream) {
    buffer.reserve(FLUSH_SIZE + 4096);
}

void OutputText::flushWhenFull() {
    if (buffer.size() < FLUSH_SIZE) return;
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

OutputText& OutputText::operator<<(char c) {
    buffer.push_back(c);
    flushWhenFull();
    return *this;
}

OutputText& OutputText::operator<<(const char* text) {
    buffer += text;
    flushWhenFull();
    return *this;
}

OutputText& OutputText::operator<<(const std::string& text) {
    buffer += text;
    flushWhenFull();
    return *this;
}

OutputText& OutputText::operator<<(std::string_view text) {
    buffer += text;
    flushWhenFull();
    return *this;
}

OutputText& OutputText::operator<<(std::int64_t number) {
    char text[24];
    std::to_chars_result written = std::to_chars(text, text + sizeof text, number);
    buffer.append(text, static_cast<std::size_t>(written.ptr - text));
    flushWhenFull();
    return *this;
}

void OutputText::shortest(float number) {
    char text[32];
    std::to_chars_result written = std::to_chars(text, text + sizeof text, number);
    buffer.append(text, static_cast<std::size_t>(written.ptr - text));
    flushWhenFull();
}

void OutputText::twoDecimals(double number) {
    char text[TWO_DECIMALS_SIZE];
    buffer.append(text, writeTwoDecimals(text, number));
    flushWhenFull();
}

void OutputText::finish() {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
    out.flush();
}
