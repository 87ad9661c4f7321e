// Host utilities: assertion reports.
#pragma once
#include <vector>
#include <string>

// Reports a failed check at a line of a source file and goes on; the host
// never aborts on it. The stand-in prints one line on stderr and keeps a log.
void assert1(int line, const char* file);

struct AssertReport {
    int line;
    std::string file;
};
// What assert1 has reported since the log was last cleared.
const std::vector<AssertReport>& AssertLog();
void ClearAssertLog();
// Silences the stderr line (the log is still kept).
void SetAssertQuiet(bool quiet);
