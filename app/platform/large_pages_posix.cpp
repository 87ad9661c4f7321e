// glibc's tunables come from the environment at start-up: the program sets
// the one it wants and replaces itself with a fresh copy of itself.
#include "app/platform/large_pages.h"
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace platform {

namespace {

const char* const TUNABLES = "GLIBC_TUNABLES";
const char* const LARGE_PAGES = "glibc.malloc.hugetlb=1";

}  // namespace

void restartWithLargeHeapPages(int argc, char** argv) {
    const char* tunables = std::getenv(TUNABLES);
    if (tunables && std::strcmp(tunables, LARGE_PAGES) == 0) {
        // This is the restarted program: the heap is set up; programs it
        // starts get the environment the user gave it.
        unsetenv(TUNABLES);
        return;
    }
    if (tunables || !namesLargeInput(argc, argv) || setenv(TUNABLES, LARGE_PAGES, 1) != 0) return;
    execv("/proc/self/exe", argv);
    unsetenv(TUNABLES);   // no restart: go on with small pages
}

}  // namespace platform
