// The Windows side of loading a plug-in library: the system loader maps the
// DLL, runs its entry point and holds its resources; plugins/plugin_library.cpp
// then asks its exports what it offers.
#include "plugapi.h"
#include "plugins/platform_library.h"
#include "winmodule.h"

namespace {

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

}  // namespace

void* FindLibraryExport(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

std::string RunningProgramPath() {
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(program, length);
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
    if (!LoadedPluginHandles().insert(handle).second) {
        FreeLibrary(module);
        handle = nullptr;
        error = "already loaded";
        return false;
    }
    return true;
}

bool PluginLibrary::attach(std::string&) { return true; }

// The descriptors belong to the library: they are dropped before it goes.
PluginLibrary::~PluginLibrary() {
    classes.clear();
    if (!handle) return;
    LoadedPluginHandles().erase(handle);
    FreeLibrary(static_cast<HMODULE>(handle));
}
