#include "app/commands/error_report.h"
#include <ostream>

int reportError(std::ostream& err, const std::string& what, int status) {
    err << "trellis: error: " << what << "\n";
    return status;
}

int reportErrorAbout(std::ostream& err, const std::string& subject, const std::string& what) {
    return reportError(err, subject + ": " + what);
}
