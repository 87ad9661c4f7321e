// Counts as the program's texts give them: "1 knot", "2 knots".
#pragma once
#include <string>

inline std::string countOf(int n, const char* noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}
