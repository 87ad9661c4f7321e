// What the loader reads from a library file before opening it: the kind
// of file it is, what opening it would load and run, the exports the
// dynamic linker would find in it, and the contents of named sections.
// Reads ELF64 files of the host's byte order and machine; a file whose
// headers or tables do not lie where they say is refused, never followed.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>
#include "loader/elf_dynamic.h"

struct ElfLibraryInfo {
    // Link-time address of the entry point; 0 when the library has none.
    uint64_t entry = 0;
    // The file names a program interpreter: it can be run as a program.
    bool hasInterpreter = false;
    // Libraries the dynamic linker would load with it (ElfDynamic::needed).
    std::vector<std::string> needed;
    // Each wanted export, as a look-up would find it.
    std::map<std::string, ElfExport> exports;
    // The wanted sections that the file has, by name.
    std::map<std::string, std::string> sections;
};

// False with a short reason in error ("not an ELF file", ...). Reads the
// file only; nothing of it is mapped or run.
bool ReadElfLibrary(const std::string& path, const std::vector<std::string>& wantedExports,
                    const std::vector<std::string>& wantedSections, ElfLibraryInfo& info, std::string& error);
