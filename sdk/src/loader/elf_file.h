// A library file as the loader reads it before opening it: bytes read only
// where the file holds them, and the link-time addresses of its loaded
// segments traced back to file offsets, so that the tables the dynamic
// linker will follow can be read from the file. Nothing here trusts a
// number from the file: every offset, size and sum is checked first.
#pragma once
#include <elf.h>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ElfFile {
public:
    ElfFile() = default;
    ~ElfFile();
    ElfFile(const ElfFile&) = delete;
    ElfFile& operator=(const ElfFile&) = delete;

    // Only regular files: a pipe or a device named like a plug-in would
    // block the reader or never end.
    bool open(const std::string& path, std::string& error);

    // Whether count bytes at offset lie inside the file.
    bool holds(uint64_t offset, uint64_t count) const { return offset <= size && count <= size - offset; }
    bool read(uint64_t offset, void* out, uint64_t count) const;
    bool readBytes(uint64_t offset, uint64_t count, std::string& out) const;

private:
    int fd = -1;
    uint64_t size = 0;
};

// a + b without wrapping round.
inline bool addWithoutOverflow(uint64_t a, uint64_t b, uint64_t& sum) {
    sum = a + b;
    return sum >= a;
}

// The loadable segments (PT_LOAD) of a library, with their addresses as
// linked: a shared library is linked at 0 and moved as a whole.
class ElfSegments {
public:
    explicit ElfSegments(std::vector<Elf64_Phdr> loadSegments) : loads(std::move(loadSegments)) {}

    // Where count bytes at address come from in the file, when they all
    // lie in the file-backed part of one segment.
    bool fileOffset(uint64_t address, uint64_t count, uint64_t& offset) const;
    // Whether count bytes at address lie in the memory of one segment.
    bool mapsMemory(uint64_t address, uint64_t count) const;
    // Whether address lies in the file-backed part of an executable segment:
    // a call there reaches the library's own code.
    bool isCode(uint64_t address) const;

private:
    std::vector<Elf64_Phdr> loads;
};

// A short reason in error, and false.
inline bool failWith(std::string& error, const char* reason) {
    error = reason;
    return false;
}
