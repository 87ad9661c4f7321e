// The trellis command: scene files in, cages out.
#include <iostream>
#include "app/commands/cli.h"
#include "app/output/atomic_write.h"

int main(int argc, char** argv) {
    installTemporaryFileCleanup();
    return runTrellis(argc, argv, std::cout, std::cerr);
}
