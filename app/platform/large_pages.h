// Large memory pages for the program's heap. A run over a big scene touches
// hundreds of megabytes once each; with 4 KiB pages a third of its time
// went to first-touch page faults. glibc backs its heap with transparent
// huge pages when the tunable glibc.malloc.hugetlb=1 is set, and it reads
// tunables only when a program starts, so the program starts itself again
// with it, once, before anything else happens. The restart costs a few
// milliseconds, and the first large page is cleared whole: for a scene
// below LARGE_INPUT_SIZE that is more than the pages save.
#pragma once
#include <cstdint>

namespace platform {

const std::uint64_t LARGE_INPUT_SIZE = 1 << 20;

// Whether one of the arguments names a regular file of LARGE_INPUT_SIZE or
// more: a run that reads it builds a heap worth large pages.
bool namesLargeInput(int argc, char** argv);

// Returns only when the program goes on in this process: where the system
// has no such setting (Windows), when no argument names a large input,
// when the user set GLIBC_TUNABLES themselves (their tuning is kept), after
// the restart, or when the restart could not be made. Call it first thing
// in main().
void restartWithLargeHeapPages(int argc, char** argv);

}  // namespace platform
