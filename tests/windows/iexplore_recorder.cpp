// Stands in for the browser the Help button asks the shell for: writes its
// arguments, one line, to the file TRELLIS_HELP_RECORD names, and opens
// nothing.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* record = std::getenv("TRELLIS_HELP_RECORD");
    if (!record) return 1;
    std::FILE* out = std::fopen(record, "wb");
    if (!out) return 1;
    for (int i = 1; i < argc; ++i) std::fprintf(out, "%s%s", i > 1 ? " " : "", argv[i]);
    std::fprintf(out, "\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
