// What the loader reads from a library file before and besides opening it:
// its entry address and the contents of named sections. Reads ELF64 files
// of the host's byte order; every offset and size is checked against the
// file, so a malformed file is refused, never followed.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ElfLibraryInfo {
    // Link-time address of the entry point; 0 when the library has none.
    uint64_t entry = 0;
    // The wanted sections that the file has, by name.
    std::map<std::string, std::string> sections;
};

// False with a short reason in error ("not an ELF file", ...).
bool ReadElfLibrary(const std::string& path, const std::vector<std::string>& wantedSections, ElfLibraryInfo& info,
                    std::string& error);
