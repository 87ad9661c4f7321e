// The host's windows on Windows: the main window and the command panel are
// real windows of classes the host registers when its library is loaded.
// The plug-in's custom controls need no set-up here, so the host only counts
// the calls, as it does elsewhere.
#include "plugapi.h"
#include "win32.h"

namespace {

int customControlsCalls = 0;

bool registerHostClass(const char* name) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

// Registered once, before any host frame makes its windows.
[[maybe_unused]] const bool hostClassesRegistered = registerHostClass("MAXMainWindow") && registerHostClass("CommandPanel");

}  // namespace

void InitCustomControls(HINSTANCE) { ++customControlsCalls; }
int InitCustomControlsCallCount() { return customControlsCalls; }
