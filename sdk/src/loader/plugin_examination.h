// The loader's look at a plug-in file before it opens it: whether the file
// is a plug-in library of this SDK, told from its bytes alone.
#pragma once
#include <cstdint>
#include <string>
#include "winres.h"

// What opening a file that passed needs from the examination.
struct ExaminedPlugin {
    // Link-time address of the entry point (DllMain); 0 when it has none.
    uint64_t entry = 0;
    ModuleResources resources;
};

// False with a short reason when the file must not be opened. Reads the
// file and asks the dynamic linker which libraries are loaded; nothing of
// the file is mapped or run.
bool ExaminePluginFile(const std::string& path, ExaminedPlugin& plugin, std::string& error);
