// What the shell was asked to open, as far as the program can see it: the
// help page that the rollup's Help button opens. Elsewhere than on Windows
// the stand-in's shell launches nothing and records every request;
// Windows' shell starts the browser, and the program sees none of it.
#pragma once
#include <cstddef>
#include <string>

namespace platform {

// Whether the shell's requests are recorded at all.
bool shellRequestsRecorded();
// Requests recorded so far; 0 where none are recorded.
std::size_t shellRequestCount();
// The parameters of the latest recorded request (the address of a help
// page); empty when there is none.
std::string latestShellRequestParameters();

}  // namespace platform
