// What a build writes besides its summary: the JSON document, a picture
// and an OBJ export of the cages, and the join report.
#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>
#include "app/host/scene_evaluation.h"
#include "app/output/view_projection.h"

struct BuildOutputs {
    std::optional<std::string> jsonPath;   // every time's cages; "-" for standard output
    std::optional<std::string> svgPath;    // a picture of the first time's cages; "-" for standard output
    std::optional<std::string> objPath;    // the first time's cages as OBJ polylines; "-" for standard output
    ViewKind view = ViewKind::Iso;         // of the picture
    bool report = false;                   // the join report: printed after the summary, and in the JSON document
};

// How many of the outputs go to standard output; when one does, nothing
// else may (no summary, no printed report), and two cannot share it.
int countStdoutOutputs(const BuildOutputs& outputs);

// Writes every requested file. On the first failure reports it on `err` as
// one line naming the file and returns EXIT_INPUT_ERROR; else EXIT_OK.
int writeBuildFiles(const BuildOutputs& outputs, const std::vector<EvaluatedFrame>& frames, std::ostream& out,
                    std::ostream& err);

// Reports on `err` and returns EXIT_INPUT_ERROR when an output would
// replace the scene file; EXIT_OK otherwise.
int refuseOverwritingScene(const BuildOutputs& outputs, const std::string& scenePath, std::ostream& err);

// The summary, followed by the join report when it is asked for.
std::string summaryText(const BuildOutputs& outputs, const std::vector<EvaluatedFrame>& frames);
