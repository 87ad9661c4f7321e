#include "app/output/output_text.h"
#include <charconv>
#include "app/output/decimal_digits.h"

OutputText::OutputText(std::ostream& stream) : out(stream), piece(new char[CAPACITY]) {}

void OutputText::handOver() {
    out.write(piece.get(), static_cast<std::streamsize>(used));
    used = 0;
}

OutputText& OutputText::appendLong(std::string_view text) {
    handOver();
    if (text.size() > CAPACITY) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    } else {
        std::memcpy(piece.get(), text.data(), text.size());
        used = text.size();
    }
    return *this;
}

OutputText& OutputText::writeWhole(std::int64_t number) {
    char* at = room(24);
    // Counts and indices (an OBJ's millions of vertex numbers) in one word.
    if (number >= 0 && number < 100000000) filledTo(writeSmallWhole(at, static_cast<std::uint32_t>(number)));
    else filledTo(std::to_chars(at, at + 24, number).ptr);
    return *this;
}

void OutputText::finish() {
    handOver();
    out.flush();
}
