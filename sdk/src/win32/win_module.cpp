// Win32 module functions: string resources and control initialisation.
#include <algorithm>
#include <cstring>
#include "plugapi.h"
#include "winmodule.h"
#include "winres.h"

namespace {

int commonControlsCalls = 0;
int customControlsCalls = 0;

}  // namespace

int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int bufferMax) {
    const ModuleResources* resources = module ? FindModuleResources(module) : nullptr;
    if (!resources || !buffer || bufferMax <= 0 || id > 0xFFFF) return 0;
    auto it = resources->strings.find(static_cast<int>(id));
    if (it == resources->strings.end()) return 0;
    size_t count = std::min(it->second.size(), static_cast<size_t>(bufferMax - 1));
    std::memcpy(buffer, it->second.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

void InitCommonControls() { ++commonControlsCalls; }
int InitCommonControlsCallCount() { return commonControlsCalls; }

void InitCustomControls(HINSTANCE) { ++customControlsCalls; }
int InitCustomControlsCallCount() { return customControlsCalls; }
