// trellis_bench_launch RESULT STDOUT STDERR PROGRAM [ARG...]: runs PROGRAM
// as runChild does and writes what it cost to RESULT. The benchmark program
// starts the program it measures through this one so that the child is
// spawned from a small, fresh address space: Linux starts a child's peak
// memory at that of the process it was spawned from.
#include <string>
#include <vector>
#include "bench_child.h"

int main(int argc, char** argv) {
    if (argc < 5) return 2;
    std::vector<std::string> program(argv + 4, argv + argc);
    ChildUsage usage = runChild(program, argv[2], argv[3]);
    return writeChildUsage(argv[1], usage) ? 0 : 1;
}
