#include "app/commands/error_report.h"
#include <ostream>
#include "app/output/atomic_write.h"

int reportError(std::ostream& err, const std::string& what, int status) {
    err << "trellis: error: " << what << "\n";
    return status;
}

int reportErrorAbout(std::ostream& err, const std::string& subject, const std::string& what) {
    return reportError(err, subject + ": " + what);
}

int finishStandardOutput(std::ostream& out, std::ostream& err) {
    out << std::flush;
    return out ? EXIT_OK : reportErrorAbout(err, STDOUT_PATH, "cannot write to standard output");
}
