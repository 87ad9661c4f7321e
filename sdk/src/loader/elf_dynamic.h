// A library's dynamic section, read from the file the way the dynamic
// linker will read it from memory (through the loaded segments), and its
// exported names looked up through the same hash tables the linker uses,
// so that what the loader decides before opening a file is what the
// linker will do after.
#pragma once
#include "loader/elf_file.h"

struct ElfDynamic {
    // Libraries the linker would load with this one: DT_NEEDED, then the
    // filtees of DT_AUXILIARY and DT_FILTER, in the order they are listed.
    std::vector<std::string> needed;
    uint64_t flags1 = 0;  // DT_FLAGS_1
    // The dynamic string table, as a file range.
    uint64_t stringsOffset = 0;
    uint64_t stringsSize = 0;
    // Link-time addresses; 0 when the tag is absent.
    uint64_t symbols = 0;
    uint64_t gnuHash = 0;
    uint64_t sysvHash = 0;
    uint64_t versions = 0;  // DT_VERSYM
    // What the linker runs when it opens and closes the library.
    uint64_t init = 0;
    uint64_t fini = 0;
    uint64_t initArray = 0;
    uint64_t initArraySize = 0;
    uint64_t finiArray = 0;
    uint64_t finiArraySize = 0;
};

// False with a short reason when the section or a table it names does not
// lie where the loaded segments put it.
bool ReadElfDynamic(const ElfFile& file, const ElfSegments& segments, const Elf64_Phdr& dynamicSegment,
                    ElfDynamic& dynamic, std::string& error);

enum class ElfExport {
    Missing,  // the linker would not find the name in this library
    NotCode,  // found, but not a plain function of the library's code
    Code,
};

// What dlsym would find for name in this library alone. An indirect
// function (STT_GNU_IFUNC) counts as NotCode: looking it up would run its
// resolver. False with a reason when the hash or symbol table is malformed.
bool FindElfExport(const ElfFile& file, const ElfSegments& segments, const ElfDynamic& dynamic,
                   const std::string& name, ElfExport& found, std::string& error);
