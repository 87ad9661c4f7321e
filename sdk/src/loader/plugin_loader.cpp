// Loads a plug-in library the way the host loads a DLL: open it, give it its
// resources, run its entry point, then ask its exports what it offers. Also
// counts the live class descriptors.
#include <dlfcn.h>
#include <link.h>
#include <set>
#include "loader/plugin_examination.h"
#include "plugapi.h"
#include "winres.h"

namespace {

// A library holds more classes than this only by mistake; listing them
// would only take long.
const int kMaxClasses = 4096;

// Handles of the libraries loaded through PluginLibrary. Opening a file a
// second time gives the same handle (and the same module); it is refused,
// since its entry point, resources and descriptors are already in use.
std::set<void*>& loadedHandles() {
    static std::set<void*> handles;
    return handles;
}

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

// The export must come from the library itself, not from one it depends on.
void* findOwnExport(void* handle, const char* name) {
    void* symbol = dlsym(handle, name);
    if (!symbol) return nullptr;
    Dl_info info;
    link_map* owner = nullptr;
    link_map* library = nullptr;
    if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP)) return nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &library) != 0) return nullptr;
    return owner == library ? symbol : nullptr;
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::string& path, std::string& error) {
    std::unique_ptr<PluginLibrary> library(new PluginLibrary(path));
    std::string reason;
    bool ok = library->open(reason) && library->attach(reason) && library->resolveExports(reason) &&
              library->checkVersion(reason) && library->listClasses(reason);
    if (ok) return library;
    error = path + ": " + reason;
    return nullptr;  // the destructor undoes whatever was done
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
    if (!loadedHandles().insert(handle).second) {
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

bool PluginLibrary::resolveExports(std::string& error) {
    libDescription = reinterpret_cast<LibDescriptionProc>(findOwnExport(handle, "LibDescription"));
    libNumberClasses = reinterpret_cast<LibNumberClassesProc>(findOwnExport(handle, "LibNumberClasses"));
    libClassDesc = reinterpret_cast<LibClassDescProc>(findOwnExport(handle, "LibClassDesc"));
    libVersion = reinterpret_cast<LibVersionProc>(findOwnExport(handle, "LibVersion"));
    const char* missing = !libDescription ? "LibDescription" : !libNumberClasses ? "LibNumberClasses"
                        : !libClassDesc ? "LibClassDesc" : !libVersion ? "LibVersion" : nullptr;
    if (!missing) return true;
    error = std::string("not a plug-in library (no export ") + missing + ")";
    return false;
}

// Only the SDK interface must match: releases and revisions of the same
// interface are compatible.
bool PluginLibrary::checkVersion(std::string& error) {
    version = libVersion();
    if (GetMaxApiNum(version) == MAX_API_NUM) return true;
    error = "built for SDK interface " + std::to_string(GetMaxApiNum(version)) + ", this host has " +
            std::to_string(MAX_API_NUM);
    return false;
}

bool PluginLibrary::listClasses(std::string& error) {
    const TCHAR* text = libDescription();
    description = text ? text : "";
    int count = libNumberClasses();
    if (count < 0 || count > kMaxClasses) {
        error = "LibNumberClasses answered " + std::to_string(count);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        ClassDesc* desc = libClassDesc(i);
        if (!desc) {
            error = "LibClassDesc(" + std::to_string(i) + ") answered null";
            return false;
        }
        classes.push_back(desc);
    }
    return true;
}

ClassDesc* PluginLibrary::ClassDescAt(int i) const {
    return i >= 0 && i < NumClasses() ? classes[static_cast<size_t>(i)] : nullptr;
}

// The descriptors belong to the library: they are dropped before it goes.
PluginLibrary::~PluginLibrary() {
    classes.clear();
    if (attached) entryPoint(Module(), DLL_PROCESS_DETACH, nullptr);
    if (registered) UnregisterModuleResources(Module());
    if (!handle) return;
    loadedHandles().erase(handle);
    dlclose(handle);
}

// The class descriptor base: the host counts the descriptors alive so that
// a library's unloading can be seen to take its descriptors with it.
namespace {

int liveDescriptors = 0;

}  // namespace

ClassDesc::ClassDesc() { ++liveDescriptors; }
ClassDesc::~ClassDesc() { --liveDescriptors; }

int LiveClassDescCount() { return liveDescriptors; }
