// Binary data written into a text output as base64, value by value: a page
// carries its curves as typed arrays (little-endian, as the page's
// Float32Array and Uint32Array read them on every machine a browser runs
// on), never as one number of text per coordinate.
#pragma once
#include <cstdint>
#include "app/output/output_text.h"

class Base64Text {
public:
    explicit Base64Text(OutputText& text);
    Base64Text(const Base64Text&) = delete;
    Base64Text& operator=(const Base64Text&) = delete;

    void float32(float value);
    void uint32(std::uint32_t value);
    // Writes the last bytes with their padding; nothing more may follow.
    void finish();

private:
    void byte(unsigned char value);
    void writeGroup(int kept);

    OutputText& text;
    unsigned char pending[3] = {0, 0, 0};
    int pendingCount = 0;
};
