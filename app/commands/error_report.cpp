#include "app/commands/error_report.h"
#include <ostream>
#include "app/scene/scene_error.h"

int reportError(std::ostream& err, const std::string& what, int status) {
    err << "trellis: error: " << escapeControls(what) << "\n";
    return status;
}

int reportErrorAbout(std::ostream& err, const std::string& subject, const std::string& what) {
    return reportError(err, subject + ": " + what);
}
