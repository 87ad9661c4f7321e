// The trellis command: scene files in, cages out.
#include <iostream>
#include "app/commands/cli.h"

int main(int argc, char** argv) {
    return runTrellis(argc, argv, std::cout, std::cerr);
}
