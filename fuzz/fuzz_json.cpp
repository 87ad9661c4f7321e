// Fuzz target: bytes as JSON text, read by the scene reader's tokenizer and
// by the JSON library. A run fails when one accepts a text the other
// refuses, or when they read different values from it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "tests/support/json_reading_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string fault = jsoncheck::disagreement(text);
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
