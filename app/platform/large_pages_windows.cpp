// Windows has no such start-up setting; the heap keeps its pages.
#include "app/platform/large_pages.h"

namespace platform {

void restartWithLargeHeapPages(int, char**) {}

}  // namespace platform
