// Loads a plug-in library on Windows: the system loader maps the DLL, runs
// its entry point and holds its resources; the host only asks the exports
// what the library offers. Also counts the live class descriptors.
#include <set>
#include "plugapi.h"
#include "winmodule.h"

namespace {

// A library holds more classes than this only by mistake; listing them
// would only take long.
const int kMaxClasses = 4096;

// Loading a file a second time gives the same module; it is refused, since
// its descriptors are already in use.
std::set<void*>& loadedHandles() {
    static std::set<void*> handles;
    return handles;
}

std::string lastSystemError() {
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

template <typename Proc>
Proc findExport(void* handle, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name)));
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

// LoadLibraryA runs the entry point itself; a refusal fails the load.
bool PluginLibrary::open(std::string& error) {
    if (GetModuleHandleA(path.c_str())) {
        error = "already loaded";
        return false;
    }
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
        error = lastSystemError();
        return false;
    }
    handle = module;
    if (!loadedHandles().insert(handle).second) {
        FreeLibrary(module);
        handle = nullptr;
        error = "already loaded";
        return false;
    }
    return true;
}

bool PluginLibrary::attach(std::string&) { return true; }

bool PluginLibrary::resolveExports(std::string& error) {
    libDescription = findExport<LibDescriptionProc>(handle, "LibDescription");
    libNumberClasses = findExport<LibNumberClassesProc>(handle, "LibNumberClasses");
    libClassDesc = findExport<LibClassDescProc>(handle, "LibClassDesc");
    libVersion = findExport<LibVersionProc>(handle, "LibVersion");
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
    if (!handle) return;
    loadedHandles().erase(handle);
    FreeLibrary(static_cast<HMODULE>(handle));
}

// The class descriptor base: the host counts the descriptors alive so that
// a library's unloading can be seen to take its descriptors with it.
namespace {

int liveDescriptors = 0;

}  // namespace

ClassDesc::ClassDesc() { ++liveDescriptors; }
ClassDesc::~ClassDesc() { --liveDescriptors; }

int LiveClassDescCount() { return liveDescriptors; }
