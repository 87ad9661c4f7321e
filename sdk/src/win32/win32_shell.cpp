// The shell's document launcher, recorded instead of run.
#include "win32.h"

namespace {

std::vector<ShellExecuteRecord>& shellLog() {
    static std::vector<ShellExecuteRecord> log;
    return log;
}

std::string orEmpty(LPCSTR s) { return s ? s : ""; }

// ShellExecute's results: above 32 for success, small error codes otherwise.
const std::intptr_t kLaunched = 42;
const std::intptr_t kFileNotFound = 2;

}  // namespace

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        int showCommand) {
    if (!file) return reinterpret_cast<HINSTANCE>(kFileNotFound);
    ShellExecuteRecord r;
    r.parent = hwnd;
    r.verb = orEmpty(verb);
    r.file = file;
    r.parameters = orEmpty(parameters);
    r.directory = orEmpty(directory);
    r.showCommand = showCommand;
    shellLog().push_back(r);
    return reinterpret_cast<HINSTANCE>(kLaunched);
}

const std::vector<ShellExecuteRecord>& ShellExecuteLog() { return shellLog(); }

void ClearShellExecuteLog() { shellLog().clear(); }
