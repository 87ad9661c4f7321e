// The trellis command: scene files in, cages out.
#include <iostream>
#include "app/commands/cli.h"
#include "app/output/atomic_write.h"
#include "app/platform/files.h"
#include "app/platform/large_pages.h"

int main(int argc, char** argv) {
    platform::restartWithLargeHeapPages(argc, argv);
    platform::useBinaryStandardStreams();
    installTemporaryFileCleanup();
    return runTrellis(argc, argv, std::cout, std::cerr);
}
