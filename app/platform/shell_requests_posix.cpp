// The stand-in's shell records what it is asked to open.
#include "app/platform/shell_requests.h"
#include "win32.h"

namespace platform {

bool shellRequestsRecorded() { return true; }

std::size_t shellRequestCount() { return ShellExecuteLog().size(); }

std::string latestShellRequestParameters() {
    return ShellExecuteLog().empty() ? std::string() : ShellExecuteLog().back().parameters;
}

}  // namespace platform
