// What a build writes besides its summary: the JSON document, a picture,
// an OBJ export and a 3D page of the cages, and the join report; all of
// them or none.
#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>
#include "app/host/scene_evaluation.h"
#include "app/output/atomic_write.h"
#include "app/output/view_projection.h"

struct BuildOutputs {
    std::optional<std::string> jsonPath;   // every time's cages; "-" for standard output
    std::optional<std::string> svgPath;    // a picture of the first time's cages; "-" for standard output
    std::optional<std::string> objPath;    // the first time's cages as OBJ polylines; "-" for standard output
    std::optional<std::string> htmlPath;   // every time's cages as a page to turn in 3D; "-" for standard output
    ViewKind view = ViewKind::Iso;         // of the picture
    bool report = false;                   // the join report: printed after the summary, and in the JSON document
};

// What the requested outputs read of the evaluated cages.
RunParts partsToKeep(const BuildOutputs& outputs);

// How many of the outputs go to standard output; when one does, nothing
// else may (no summary, no printed report), and two cannot share it.
int countStdoutOutputs(const BuildOutputs& outputs);

// Plans the requested outputs in `set`, each produced from `frames` when
// the set is committed (so `frames` may be filled after this). Throws
// OutputError, naming the output, when one would replace the scene file
// `scenePath` (none: no scene file) or two reach the same file.
void planBuildOutputs(const BuildOutputs& outputs, const std::string& scenePath,
                      const std::vector<EvaluatedFrame>& frames, OutputSet& set);

// The summary, followed by the join report when it is asked for.
std::string summaryText(const BuildOutputs& outputs, const std::vector<EvaluatedFrame>& frames);
