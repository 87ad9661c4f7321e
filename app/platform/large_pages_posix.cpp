// glibc's tunables come from the environment at start-up: the program sets
// the one it wants and replaces itself with a fresh copy of itself.
#include "app/platform/large_pages.h"
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <unistd.h>

namespace platform {

namespace {

const char* const TUNABLES = "GLIBC_TUNABLES";
const char* const LARGE_PAGES = "glibc.malloc.hugetlb=1";

// Blocks up to 32 MiB (a scene file's text, a long spline's knots) come
// from the heap rather than each from a mapping of its own, so that what
// reading frees is used again for the cages instead of going back to the
// system and being faulted in afresh.
const int HEAP_BLOCK_LIMIT = 32 << 20;

void keepLargeBlocksInTheHeap() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, HEAP_BLOCK_LIMIT);
#endif
}

}  // namespace

void restartWithLargeHeapPages(int argc, char** argv) {
    const char* tunables = std::getenv(TUNABLES);
    if (tunables && std::strcmp(tunables, LARGE_PAGES) == 0) {
        // This is the restarted program: the heap is set up; programs it
        // starts get the environment the user gave it.
        unsetenv(TUNABLES);
        keepLargeBlocksInTheHeap();
        return;
    }
    if (tunables) return;   // the user's own tuning is kept as it is
    if (namesLargeInput(argc, argv) && setenv(TUNABLES, LARGE_PAGES, 1) == 0) {
        execv("/proc/self/exe", argv);
        unsetenv(TUNABLES);   // no restart: go on with small pages
    }
    keepLargeBlocksInTheHeap();
}

}  // namespace platform
