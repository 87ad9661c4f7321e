// A plug-in library of this SDK, as far as its file can tell before any of
// it runs:
//  - an ELF shared library for this host's machine and byte order, with
//    headers and tables that lie where they say (elf_library.cpp);
//  - it defines LibDescription, LibNumberClasses, LibClassDesc and
//    LibVersion as functions of its own code, found as dlsym will find them;
//  - its entry point, if it has one, lies in its code, and it names no
//    program interpreter: a file that also runs as a program (the C library,
//    the dynamic linker) has a program's start there, not a DllMain;
//  - every library it needs is already loaded in the host (below);
//  - it carries its resource script in a ".rsrc" section (with the ids it
//    includes in ".rsrc.h"), as the build embeds into every plug-in, and
//    the script reads.
// A file that passes is opened. Opening it runs its relocations and its
// static constructors (they build its class descriptors), as Windows runs
// a DLL's when it loads it: the loader checks what a file is, not what its
// code does, so a foreign file is stopped here, before it is opened.
#include "loader/plugin_examination.h"
#include <dlfcn.h>
#include <vector>
#include "loader/elf_library.h"

namespace {

const char* const kScriptSection = ".rsrc";
const char* const kHeaderSection = ".rsrc.h";
const std::vector<std::string> kExports = {"LibDescription", "LibNumberClasses", "LibClassDesc", "LibVersion"};

bool checkExports(const ElfLibraryInfo& elf, std::string& error) {
    for (const std::string& name : kExports) {
        ElfExport found = elf.exports.at(name);
        if (found == ElfExport::Missing) error = "not a plug-in library (no export " + name + ")";
        else if (found == ElfExport::NotCode) error = "not a plug-in library (" + name + " is no function of its code)";
        else continue;
        return false;
    }
    return true;
}

bool checkEntry(const ElfLibraryInfo& elf, std::string& error) {
    if (!elf.hasInterpreter) return true;
    error = "a program as well as a library (it names an interpreter): its entry point is no DllMain";
    return false;
}

// RTLD_NOLOAD finds a loaded library by the names a real load would match
// (its soname, the name it was loaded by, its file) and never loads one.
// A name with "$ORIGIN" and the like would be read relative to the caller
// here but to the plug-in there, so it counts as not loaded.
bool isLoadedInHost(const std::string& name) {
    if (name.find('$') != std::string::npos) return false;
    void* handle = dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (!handle) return false;
    dlclose(handle);
    return true;
}

// A plug-in of this SDK needs only the host's SDK library and the C and C++
// runtime, and a host has all of them loaded before it loads plug-ins (and
// the sanitizer runtimes too, in such a build). So every library it needs
// must be loaded already: then opening it maps no library but itself, and
// runs no code but its own. Any other would be loaded, and its
// constructors run, before the plug-in could be checked at all.
bool checkNeededLibraries(const ElfLibraryInfo& elf, std::string& error) {
    for (const std::string& name : elf.needed) {
        if (isLoadedInHost(name)) continue;
        error = "needs " + name + ", which is not one of the host's libraries";
        return false;
    }
    return true;
}

bool readResources(const ElfLibraryInfo& elf, ModuleResources& resources, std::string& error) {
    auto script = elf.sections.find(kScriptSection);
    if (script == elf.sections.end()) {
        error = std::string("no resource script (no ") + kScriptSection + " section)";
        return false;
    }
    std::vector<std::string> headers;
    auto header = elf.sections.find(kHeaderSection);
    if (header != elf.sections.end()) headers.push_back(header->second);
    if (ParseResourceScript(script->second, headers, resources, error)) return true;
    error = "resource script " + error;
    return false;
}

}  // namespace

bool ExaminePluginFile(const std::string& path, ExaminedPlugin& plugin, std::string& error) {
    ElfLibraryInfo elf;
    ExaminedPlugin result;
    if (!ReadElfLibrary(path, kExports, {kScriptSection, kHeaderSection}, elf, error) || !checkExports(elf, error) ||
        !checkEntry(elf, error) || !checkNeededLibraries(elf, error) || !readResources(elf, result.resources, error))
        return false;
    result.entry = elf.entry;
    plugin = std::move(result);
    return true;
}
