// Windows' shell starts the program it is asked for; nothing records it.
#include "app/platform/shell_requests.h"

namespace platform {

bool shellRequestsRecorded() { return false; }

std::size_t shellRequestCount() { return 0; }

std::string latestShellRequestParameters() { return std::string(); }

}  // namespace platform
