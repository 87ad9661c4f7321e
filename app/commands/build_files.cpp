#include "app/commands/build_files.h"
#include <ostream>
#include "app/output/atomic_write.h"
#include "app/output/build_output.h"
#include "app/commands/error_report.h"
#include "app/output/join_report.h"
#include "app/output/obj_writer.h"
#include "app/output/svg_writer.h"

namespace {

std::vector<const std::optional<std::string>*> outputPaths(const BuildOutputs& outputs) {
    return {&outputs.jsonPath, &outputs.svgPath, &outputs.objPath};
}

// The document as it is written: compact, one line, and any text that is
// not valid UTF-8 (there should be none) replaced rather than thrown over.
std::string documentText(const std::vector<EvaluatedFrame>& frames, bool withReports) {
    return buildDocument(frames, withReports).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) +
           "\n";
}

int writeOne(const std::string& path, const std::string& content, std::ostream& out, std::ostream& err) {
    try {
        writeFileAtomically(path, content, out);
    } catch (const OutputError& e) {
        return reportErrorAbout(err, path, e.what());
    }
    return EXIT_OK;
}

}  // namespace

int countStdoutOutputs(const BuildOutputs& outputs) {
    int count = 0;
    for (const auto* path : outputPaths(outputs)) count += *path && **path == STDOUT_PATH;
    return count;
}

int refuseOverwritingScene(const BuildOutputs& outputs, const std::string& scenePath, std::ostream& err) {
    for (const auto* path : outputPaths(outputs)) {
        if (!*path) continue;
        try {
            refuseOverwritingInput(**path, scenePath);
        } catch (const OutputError& e) {
            return reportErrorAbout(err, **path, e.what());
        }
    }
    return EXIT_OK;
}

// Pictures and exports show one time, the first: several times would need
// several files, and the JSON document already holds every time.
int writeBuildFiles(const BuildOutputs& outputs, const std::vector<EvaluatedFrame>& frames, std::ostream& out,
                    std::ostream& err) {
    int times = static_cast<int>(frames.size());
    int status = EXIT_OK;
    if (outputs.jsonPath) status = writeOne(*outputs.jsonPath, documentText(frames, outputs.report), out, err);
    if (status == EXIT_OK && outputs.svgPath && !frames.empty())
        status = writeOne(*outputs.svgPath, cagesToSvg(frames.front(), outputs.view, times), out, err);
    if (status == EXIT_OK && outputs.objPath && !frames.empty())
        status = writeOne(*outputs.objPath, cagesToObj(frames.front(), times), out, err);
    return status;
}

std::string summaryText(const BuildOutputs& outputs, const std::vector<EvaluatedFrame>& frames) {
    std::string text = buildSummary(frames);
    if (!outputs.report) return text;
    for (const EvaluatedFrame& frame : frames)
        for (const CageSnapshot& snapshot : frame.objects) text += joinReportText(snapshot);
    return text;
}
