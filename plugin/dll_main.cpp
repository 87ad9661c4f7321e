// The library entry point.
#include "plugin/module_handle.h"
#include "plugapi.h"
#include "winmodule.h"

HINSTANCE hInstance = nullptr;

namespace {

bool controlsInitialised = false;

}  // namespace

// Whatever the reason, the first notification initialises the controls;
// later ones only store the handle again.
extern "C" BOOL DllMain(HINSTANCE module, ULONG, void*) {
    hInstance = module;
    if (!controlsInitialised) {
        controlsInitialised = true;
        InitCustomControls(hInstance);
        InitCommonControls();
    }
    return TRUE;
}
