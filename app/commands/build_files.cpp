#include "app/commands/build_files.h"
#include <ostream>
#include "app/output/atomic_write.h"
#include "app/output/build_output.h"
#include "app/output/html_writer.h"
#include "app/output/join_report.h"
#include "app/output/obj_writer.h"
#include "app/output/svg_writer.h"

namespace {

std::vector<const std::optional<std::string>*> outputPaths(const BuildOutputs& outputs) {
    return {&outputs.jsonPath, &outputs.svgPath, &outputs.objPath, &outputs.htmlPath};
}

}  // namespace

RunParts partsToKeep(const BuildOutputs& outputs) {
    RunParts parts;
    // The document holds the cages and their link tables; the report (also
    // on the page) reads both. The page draws every time from all its curves
    // at once; the picture and the export draw the first, sampling the cage
    // spline by spline.
    const bool page = outputs.htmlPath.has_value();
    parts.others.cage = parts.others.links = outputs.jsonPath.has_value() || outputs.report || page;
    parts.others.curves = page;
    parts.first = parts.others;
    parts.first.cage = parts.first.cage || outputs.svgPath.has_value() || outputs.objPath.has_value();
    return parts;
}

int countStdoutOutputs(const BuildOutputs& outputs) {
    int count = 0;
    for (const auto* path : outputPaths(outputs)) count += *path && **path == STDOUT_PATH;
    return count;
}

// Pictures and exports show one time, the first: several times would need
// several files, and the JSON document and the page already hold every time.
void planBuildOutputs(const BuildOutputs& outputs, const std::string& scenePath,
                      const std::vector<EvaluatedFrame>& frames, OutputSet& set) {
    for (const auto* path : outputPaths(outputs))
        if (*path && !scenePath.empty()) refuseOverwritingInput(**path, scenePath);
    if (outputs.jsonPath)
        set.add(*outputs.jsonPath, "--json",
                [&frames, &outputs](std::ostream& out) { writeBuildDocument(out, frames, outputs.report); });
    if (outputs.svgPath)
        set.add(*outputs.svgPath, "--svg", [&frames, &outputs](std::ostream& out) {
            if (!frames.empty()) writeCagesSvg(out, frames.front(), outputs.view, static_cast<int>(frames.size()));
        });
    if (outputs.objPath)
        set.add(*outputs.objPath, "--obj", [&frames](std::ostream& out) {
            if (!frames.empty()) writeCagesObj(out, frames.front(), static_cast<int>(frames.size()));
        });
    if (outputs.htmlPath)
        set.add(*outputs.htmlPath, "--html", [&frames](std::ostream& out) { writeCagesHtml(out, frames); });
}

std::string summaryText(const BuildOutputs& outputs, const std::vector<EvaluatedFrame>& frames) {
    std::string text = buildSummary(frames);
    if (!outputs.report) return text;
    for (const EvaluatedFrame& frame : frames)
        for (const CageSnapshot& snapshot : frame.objects) text += joinReportText(snapshot);
    return text;
}
