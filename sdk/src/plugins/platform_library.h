// What the plug-in library code asks of the platform's loader: the few
// calls that differ between ELF libraries and Windows DLLs. Each platform
// implements them beside its own PluginLibrary::open, attach and destructor.
#pragma once
#include <set>
#include <string>

// The named export of the library itself (not of one it depends on), or null.
void* FindLibraryExport(void* handle, const char* name);

// The running program's file, for the plug-in folder beside it; empty when
// the platform cannot say.
std::string RunningProgramPath();

// Handles of the libraries loaded through PluginLibrary. Opening a file a
// second time gives the same handle (and the same module); it is refused,
// since its entry point, resources and descriptors are already in use.
std::set<void*>& LoadedPluginHandles();
