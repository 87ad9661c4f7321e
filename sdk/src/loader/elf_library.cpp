// Reads an ELF64 shared library's header, program headers and section
// headers (layout from <elf.h>, the System V gABI).
#include "loader/elf_library.h"
#include <elf.h>
#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

class ElfFile {
public:
    bool open(const std::string& path, std::string& error) {
        file.open(path, std::ios::binary);
        if (!file) return failWith(error, "cannot open the file");
        file.seekg(0, std::ios::end);
        std::streamoff end = file.tellg();
        if (end < 0) return failWith(error, "cannot read the file");
        size = static_cast<uint64_t>(end);
        return true;
    }

    // Whether count bytes at offset lie inside the file (no overflow).
    bool holds(uint64_t offset, uint64_t count) const { return offset <= size && count <= size - offset; }

    bool read(uint64_t offset, void* out, uint64_t count) {
        if (!holds(offset, count)) return false;
        file.clear();
        file.seekg(static_cast<std::streamoff>(offset));
        file.read(static_cast<char*>(out), static_cast<std::streamsize>(count));
        return static_cast<uint64_t>(file.gcount()) == count;
    }

    bool readBytes(uint64_t offset, uint64_t count, std::string& out) {
        if (!holds(offset, count)) return false;
        out.assign(static_cast<size_t>(count), '\0');
        return count == 0 || read(offset, &out[0], count);
    }

    static bool failWith(std::string& error, const char* reason) {
        error = reason;
        return false;
    }

private:
    std::ifstream file;
    uint64_t size = 0;
};

bool hostIsLittleEndian() {
    const uint16_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

bool checkHeader(const Elf64_Ehdr& header, std::string& error) {
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) return ElfFile::failWith(error, "not an ELF file");
    if (header.e_ident[EI_CLASS] != ELFCLASS64) return ElfFile::failWith(error, "not a 64-bit ELF file");
    unsigned char order = hostIsLittleEndian() ? ELFDATA2LSB : ELFDATA2MSB;
    if (header.e_ident[EI_DATA] != order) return ElfFile::failWith(error, "ELF file of the other byte order");
    if (header.e_type != ET_DYN) return ElfFile::failWith(error, "not a shared library");
    return true;
}

// The entry address must lie in a loaded, executable segment: anything
// else would send the loader's call into data or into nowhere.
bool checkEntry(ElfFile& file, const Elf64_Ehdr& header, std::string& error) {
    if (header.e_entry == 0) return true;
    if (header.e_phentsize != sizeof(Elf64_Phdr)) return ElfFile::failWith(error, "malformed program headers");
    for (uint64_t i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment;
        if (!file.read(header.e_phoff + i * sizeof(Elf64_Phdr), &segment, sizeof(segment)))
            return ElfFile::failWith(error, "program headers lie outside the file");
        bool code = segment.p_type == PT_LOAD && (segment.p_flags & PF_X);
        if (code && header.e_entry >= segment.p_vaddr && header.e_entry - segment.p_vaddr < segment.p_memsz)
            return true;
    }
    return ElfFile::failWith(error, "entry point lies outside the library's code");
}

// Section count and name-table index may be escaped into section 0 when
// they do not fit the file header (gABI, "Sections").
bool readSectionHeaders(ElfFile& file, const Elf64_Ehdr& header, std::vector<Elf64_Shdr>& sections,
                        uint64_t& namesIndex, std::string& error) {
    if (header.e_shoff == 0) return ElfFile::failWith(error, "no section headers");
    if (header.e_shentsize != sizeof(Elf64_Shdr)) return ElfFile::failWith(error, "malformed section headers");
    Elf64_Shdr first;
    if (!file.read(header.e_shoff, &first, sizeof(first)))
        return ElfFile::failWith(error, "section headers lie outside the file");
    uint64_t count = header.e_shnum != 0 ? header.e_shnum : first.sh_size;
    namesIndex = header.e_shstrndx != SHN_XINDEX ? header.e_shstrndx : first.sh_link;
    if (!file.holds(header.e_shoff, 0) || count > (UINT64_MAX / sizeof(Elf64_Shdr)) ||
        !file.holds(header.e_shoff, count * sizeof(Elf64_Shdr)))
        return ElfFile::failWith(error, "section headers lie outside the file");
    if (namesIndex >= count) return ElfFile::failWith(error, "malformed section name table");
    sections.resize(static_cast<size_t>(count));
    if (!file.read(header.e_shoff, sections.data(), count * sizeof(Elf64_Shdr)))
        return ElfFile::failWith(error, "cannot read the section headers");
    return true;
}

bool readSectionData(ElfFile& file, const Elf64_Shdr& section, std::string& out) {
    if (section.sh_type == SHT_NOBITS) return false;
    return file.readBytes(section.sh_offset, section.sh_size, out);
}

// A name is a NUL-terminated string inside the name table.
bool sectionName(const std::string& names, uint32_t offset, std::string& name) {
    if (offset >= names.size()) return false;
    size_t end = names.find('\0', offset);
    if (end == std::string::npos) return false;
    name = names.substr(offset, end - offset);
    return true;
}

bool readWantedSections(ElfFile& file, const Elf64_Ehdr& header, const std::vector<std::string>& wanted,
                        ElfLibraryInfo& info, std::string& error) {
    std::vector<Elf64_Shdr> sections;
    uint64_t namesIndex = 0;
    if (!readSectionHeaders(file, header, sections, namesIndex, error)) return false;
    std::string names;
    if (!readSectionData(file, sections[namesIndex], names))
        return ElfFile::failWith(error, "section name table lies outside the file");
    for (const Elf64_Shdr& section : sections) {
        std::string name;
        if (!sectionName(names, section.sh_name, name)) return ElfFile::failWith(error, "malformed section name");
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() || info.sections.count(name)) continue;
        std::string data;
        if (!readSectionData(file, section, data))
            return ElfFile::failWith(error, "section contents lie outside the file");
        info.sections[name] = std::move(data);
    }
    return true;
}

}  // namespace

bool ReadElfLibrary(const std::string& path, const std::vector<std::string>& wantedSections, ElfLibraryInfo& info,
                    std::string& error) {
    ElfFile file;
    if (!file.open(path, error)) return false;
    Elf64_Ehdr header;
    if (!file.read(0, &header, sizeof(header))) return ElfFile::failWith(error, "not an ELF file");
    if (!checkHeader(header, error) || !checkEntry(file, header, error)) return false;
    ElfLibraryInfo result;
    result.entry = header.e_entry;
    if (!readWantedSections(file, header, wantedSections, result, error)) return false;
    info = std::move(result);
    return true;
}
