#include "utillib.h"
#include <cstdio>

namespace {
std::vector<AssertReport>& log() {
    static std::vector<AssertReport> reports;
    return reports;
}
bool quiet = false;
}  // namespace

void assert1(int line, const char* file) {
    log().push_back({line, file ? file : ""});
    if (!quiet) std::fprintf(stderr, "assertion failed: %s, line %d\n", file ? file : "?", line);
}

const std::vector<AssertReport>& AssertLog() { return log(); }
void ClearAssertLog() { log().clear(); }
void SetAssertQuiet(bool q) { quiet = q; }
