// The program's commands once the command line is understood: build a
// scene file's cages, or the embedded demo scene's.
#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>
#include "plugapi.h"
#include "app/commands/build_files.h"

struct BuildOptions {
    std::string scenePath;
    std::vector<TimeValue> times;          // empty: the scene's own "time"
    std::vector<std::string> deletions;    // node names, deleted before evaluation
    BuildOutputs outputs;
};

// The demo writes its picture, its cages (with the join report) and its
// 3D page into the current folder. With scenePath, it writes its scene there instead
// ("-" for standard output), as a starting point for users' own scenes.
const char* const DEMO_SVG_PATH = "trellis-demo.svg";
const char* const DEMO_JSON_PATH = "trellis-demo.json";
const char* const DEMO_HTML_PATH = "trellis-demo.html";
struct DemoOptions {
    std::optional<std::string> scenePath;
};

// Each makes its trellis objects through `trellisClass`, the loaded
// plug-in's descriptor, and returns the exit status; errors go to `err` as
// one line each.
int runBuild(const BuildOptions& options, ClassDesc& trellisClass, std::ostream& out, std::ostream& err);
int runDemo(const DemoOptions& options, ClassDesc& trellisClass, std::ostream& out, std::ostream& err);
