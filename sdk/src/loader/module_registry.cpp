// The resources of loaded modules, by module handle.
#include <map>
#include "winres.h"

namespace {

std::map<HINSTANCE, ModuleResources>& registry() {
    static std::map<HINSTANCE, ModuleResources> modules;
    return modules;
}

}  // namespace

// Registering a handle again replaces its resources.
void RegisterModuleResources(HINSTANCE module, const ModuleResources& resources) {
    registry()[module] = resources;
}

void UnregisterModuleResources(HINSTANCE module) {
    registry().erase(module);
}

// The pointer stays valid until the module is registered again or unregistered.
const ModuleResources* FindModuleResources(HINSTANCE module) {
    auto it = registry().find(module);
    return it == registry().end() ? nullptr : &it->second;
}
