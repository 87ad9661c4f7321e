#include "app/platform/large_pages.h"
#include "app/platform/files.h"

namespace platform {

bool namesLargeInput(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        FileStatus status = statusOf(argv[i]);
        if (status.kind == FileKind::Regular && status.size >= LARGE_INPUT_SIZE) return true;
    }
    return false;
}

}  // namespace platform
