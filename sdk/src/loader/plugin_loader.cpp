// The ELF side of loading a plug-in library the way the host loads a DLL:
// examine the file, open it, give it its resources and run its entry point;
// plugins/plugin_library.cpp then asks its exports what it offers.
#include <dlfcn.h>
#include <link.h>
#include <filesystem>
#include "loader/plugin_examination.h"
#include "plugapi.h"
#include "plugins/platform_library.h"
#include "winres.h"

namespace {

// dlopen searches the library path for a bare file name; a plug-in path
// always means a file.
std::string fileOpenPath(const std::string& path) {
    return path.find('/') == std::string::npos ? "./" + path : path;
}

std::string lastDlError() {
    const char* message = dlerror();
    return message ? message : "unknown error";
}

// dlerror names the file first; the caller names it already.
std::string openError(const std::string& openedPath) {
    std::string message = lastDlError();
    std::string prefix = openedPath + ": ";
    return message.compare(0, prefix.size(), prefix) == 0 ? message.substr(prefix.size()) : message;
}

}  // namespace

// The export must come from the library itself, not from one it depends on.
void* FindLibraryExport(void* handle, const char* name) {
    void* symbol = dlsym(handle, name);
    if (!symbol) return nullptr;
    Dl_info info;
    link_map* owner = nullptr;
    link_map* library = nullptr;
    if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP)) return nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &library) != 0) return nullptr;
    return owner == library ? symbol : nullptr;
}

std::string RunningProgramPath() {
    std::error_code ec;
    std::string program = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    return ec ? std::string() : program;
}

// The file is examined before it is opened, so that a file that is no
// plug-in of this SDK is refused before anything of it runs. RTLD_NOW: a
// name the library uses that nothing defines refuses it at opening, after
// relocation but before its constructors run, rather than failing at a
// call later. RTLD_LOCAL: its names are not offered to libraries opened
// after it.
bool PluginLibrary::open(std::string& error) {
    ExaminedPlugin examined;
    if (!ExaminePluginFile(path, examined, error)) return false;
    std::string openPath = fileOpenPath(path);
    handle = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        error = openError(openPath);
        return false;
    }
    if (!LoadedPluginHandles().insert(handle).second) {
        dlclose(handle);
        handle = nullptr;
        error = "already loaded";
        return false;
    }
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map) {
        error = lastDlError();
        return false;
    }
    if (examined.entry != 0) entryPoint = reinterpret_cast<DllEntryPoint>(map->l_addr + examined.entry);
    RegisterModuleResources(Module(), examined.resources);
    registered = true;
    return true;
}

// A library whose entry point refuses the attach is detached again and
// unloaded, as Win32 does.
bool PluginLibrary::attach(std::string& error) {
    if (!entryPoint) return true;
    attached = true;
    if (entryPoint(Module(), DLL_PROCESS_ATTACH, nullptr)) return true;
    error = "the entry point refused to attach";
    return false;
}

// The descriptors belong to the library: they are dropped before it goes.
PluginLibrary::~PluginLibrary() {
    classes.clear();
    if (attached) entryPoint(Module(), DLL_PROCESS_DETACH, nullptr);
    if (registered) UnregisterModuleResources(Module());
    if (!handle) return;
    LoadedPluginHandles().erase(handle);
    dlclose(handle);
}
