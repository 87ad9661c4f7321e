// Large memory pages for the program's heap. A run over a big scene touches
// hundreds of megabytes once each; with 4 KiB pages a third of its time
// went to first-touch page faults. glibc backs its heap with transparent
// huge pages when the tunable glibc.malloc.hugetlb=1 is set, and it reads
// tunables only when a program starts, so the program starts itself again
// with it, once, before anything else happens.
#pragma once

namespace platform {

// Returns only when the program goes on in this process: where the system
// has no such setting (Windows), when the user set GLIBC_TUNABLES
// themselves (their tuning is kept), after the restart, or when the restart
// could not be made. Call it first thing in main().
void restartWithLargeHeapPages(char** argv);

}  // namespace platform
