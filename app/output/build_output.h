// The two forms of the build command's result: a JSON document for
// programs and a few lines of summary for people.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>
#include "app/host/scene_evaluation.h"

// One frame: {"time": t, "objects": [...]}. Several: {"frames": [{"time": t, "objects": [...]}, ...]}.
// With reports, each object also carries its join report as "report".
// Compact, on one line, written to `out` as it is produced.
void writeBuildDocument(std::ostream& out, const std::vector<EvaluatedFrame>& frames, bool withReports = false);

// One line per object and time.
std::string buildSummary(const std::vector<EvaluatedFrame>& frames);
