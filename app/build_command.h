// The program's commands once the command line is understood: build a
// scene file's cages, or the embedded demo scene's.
#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>
#include "maxtypes.h"

struct BuildOptions {
    std::string scenePath;
    std::vector<TimeValue> times;          // empty: the scene's own "time"
    std::optional<std::string> jsonPath;   // "-" for standard output
    std::vector<std::string> deletions;    // node names, deleted before evaluation
};

// Each returns the exit status; errors go to `err` as one line each.
int runBuild(const BuildOptions& options, std::ostream& out, std::ostream& err);
int runDemo(std::ostream& out, std::ostream& err);
