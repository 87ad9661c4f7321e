// Reads an ELF64 shared library's file header, program headers, dynamic
// section and section headers (layout from <elf.h>, the System V gABI).
#include "loader/elf_library.h"
#include <algorithm>
#include <cstring>

namespace {

#if defined(__x86_64__)
const Elf64_Half kHostMachine = EM_X86_64;
#elif defined(__aarch64__)
const Elf64_Half kHostMachine = EM_AARCH64;
#elif defined(__powerpc64__)
const Elf64_Half kHostMachine = EM_PPC64;
#elif defined(__s390x__)
const Elf64_Half kHostMachine = EM_S390;
#elif defined(__riscv) && __riscv_xlen == 64
const Elf64_Half kHostMachine = EM_RISCV;
#else
#error "the plug-in loader does not know the ELF machine code of this host"
#endif

// Only the resource sections are read whole; nothing that size is a script.
const uint64_t kMaxSectionBytes = 16u << 20;

struct MachineName {
    Elf64_Half machine;
    const char* name;
};

const MachineName kMachineNames[] = {
    {EM_386, "x86"},     {EM_X86_64, "x86-64"},   {EM_ARM, "ARM"},   {EM_AARCH64, "AArch64"},
    {EM_PPC, "PowerPC"}, {EM_PPC64, "PowerPC64"}, {EM_S390, "S/390"}, {EM_RISCV, "RISC-V"},
    {EM_MIPS, "MIPS"},   {EM_SPARCV9, "SPARC V9"},
};

std::string machineName(Elf64_Half machine) {
    for (const MachineName& known : kMachineNames)
        if (known.machine == machine) return known.name;
    return "ELF machine " + std::to_string(machine);
}

bool hostIsLittleEndian() {
    const uint16_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

// The identification bytes first: until the class and byte order are known
// the other fields cannot be read.
bool checkIdentification(const unsigned char (&ident)[EI_NIDENT], std::string& error) {
    if (std::memcmp(ident, ELFMAG, SELFMAG) != 0) return failWith(error, "not an ELF file");
    if (ident[EI_CLASS] != ELFCLASS64) return failWith(error, "not a 64-bit ELF file");
    unsigned char order = hostIsLittleEndian() ? ELFDATA2LSB : ELFDATA2MSB;
    if (ident[EI_DATA] != order) return failWith(error, "ELF file of the other byte order");
    return true;
}

bool checkHeader(const Elf64_Ehdr& header, std::string& error) {
    if (header.e_ident[EI_VERSION] != EV_CURRENT || header.e_version != EV_CURRENT)
        return failWith(error, "malformed file header (unknown ELF version)");
    unsigned char abi = header.e_ident[EI_OSABI];
    if (abi != ELFOSABI_SYSV && abi != ELFOSABI_GNU) {
        error = "built for another operating system (ELF OS/ABI " + std::to_string(abi) + ")";
        return false;
    }
    if (header.e_machine != kHostMachine) {
        error = "built for another machine (" + machineName(header.e_machine) + "; this host is " +
                machineName(kHostMachine) + ")";
        return false;
    }
    switch (header.e_type) {
        case ET_DYN: return true;
        case ET_EXEC: return failWith(error, "an executable, not a shared library");
        case ET_REL: return failWith(error, "an object file, not a shared library");
        case ET_CORE: return failWith(error, "a core dump, not a shared library");
        default: return failWith(error, "not a shared library");
    }
}

struct ProgramHeaders {
    std::vector<Elf64_Phdr> loads;
    Elf64_Phdr dynamic{};
    bool hasDynamic = false;
    bool hasInterpreter = false;
};

bool checkLoadSegment(const ElfFile& file, const Elf64_Phdr& segment, std::string& error) {
    uint64_t end = 0;
    if (segment.p_filesz > segment.p_memsz || !addWithoutOverflow(segment.p_vaddr, segment.p_memsz, end))
        return failWith(error, "malformed loaded segment");
    if (!file.holds(segment.p_offset, segment.p_filesz))
        return failWith(error, "a loaded segment lies outside the file");
    return true;
}

// The dynamic linker maps what the program headers say; a segment that the
// file does not hold would be mapped past its end and fault when touched.
bool readProgramHeaders(const ElfFile& file, const Elf64_Ehdr& header, ProgramHeaders& program, std::string& error) {
    if (header.e_phnum == 0) return failWith(error, "no program headers");
    if (header.e_phentsize != sizeof(Elf64_Phdr)) return failWith(error, "malformed program headers");
    std::vector<Elf64_Phdr> headers(header.e_phnum);
    if (!file.read(header.e_phoff, headers.data(), headers.size() * sizeof(Elf64_Phdr)))
        return failWith(error, "program headers lie outside the file");
    for (const Elf64_Phdr& segment : headers) {
        if (segment.p_type == PT_LOAD) {
            if (!checkLoadSegment(file, segment, error)) return false;
            program.loads.push_back(segment);
        } else if (segment.p_type == PT_DYNAMIC) {
            if (program.hasDynamic) return failWith(error, "malformed program headers (two dynamic sections)");
            program.dynamic = segment;
            program.hasDynamic = true;
        } else if (segment.p_type == PT_INTERP) {
            program.hasInterpreter = true;
        }
    }
    if (program.loads.empty()) return failWith(error, "no loaded segments");
    if (!program.hasDynamic) return failWith(error, "no dynamic section");
    return true;
}

// The entry address must lie in the library's code: anything else would
// send the loader's call into data or into nowhere.
bool checkEntry(const ElfSegments& segments, uint64_t entry, std::string& error) {
    if (entry == 0 || segments.isCode(entry)) return true;
    return failWith(error, "entry point lies outside the library's code");
}

// The dynamic linker calls DT_INIT and each DT_INIT_ARRAY entry when it
// opens the library, and the FINI ones when it closes it. Where they lie
// is checked here; what the array entries hold is known only after
// relocation, when the library is open.
bool checkConstructors(const ElfSegments& segments, const ElfDynamic& dynamic, std::string& error) {
    if ((dynamic.init != 0 && !segments.isCode(dynamic.init)) || (dynamic.fini != 0 && !segments.isCode(dynamic.fini)))
        return failWith(error, "constructor or destructor lies outside the library's code");
    for (auto table : {std::make_pair(dynamic.initArray, dynamic.initArraySize),
                       std::make_pair(dynamic.finiArray, dynamic.finiArraySize)}) {
        if (table.second % sizeof(Elf64_Addr) != 0 || (table.second != 0 && !segments.mapsMemory(table.first, table.second)))
            return failWith(error, "constructor table lies outside the loaded segments");
    }
    return true;
}

// Section count and name-table index may be escaped into section 0 when
// they do not fit the file header (gABI, "Sections").
bool readSectionHeaders(const ElfFile& file, const Elf64_Ehdr& header, std::vector<Elf64_Shdr>& sections,
                        uint64_t& namesIndex, std::string& error) {
    if (header.e_shoff == 0) return failWith(error, "no section headers");
    if (header.e_shentsize != sizeof(Elf64_Shdr)) return failWith(error, "malformed section headers");
    Elf64_Shdr first;
    if (!file.read(header.e_shoff, &first, sizeof(first))) return failWith(error, "section headers lie outside the file");
    uint64_t count = header.e_shnum != 0 ? header.e_shnum : first.sh_size;
    namesIndex = header.e_shstrndx != SHN_XINDEX ? header.e_shstrndx : first.sh_link;
    if (count > UINT64_MAX / sizeof(Elf64_Shdr) || !file.holds(header.e_shoff, count * sizeof(Elf64_Shdr)))
        return failWith(error, "section headers lie outside the file");
    if (namesIndex >= count) return failWith(error, "malformed section name table");
    sections.resize(static_cast<size_t>(count));
    if (!file.read(header.e_shoff, sections.data(), count * sizeof(Elf64_Shdr)))
        return failWith(error, "cannot read the section headers");
    return true;
}

bool readSectionData(const ElfFile& file, const Elf64_Shdr& section, std::string& out) {
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

bool readWantedSections(const ElfFile& file, const Elf64_Ehdr& header, const std::vector<std::string>& wanted,
                        ElfLibraryInfo& info, std::string& error) {
    std::vector<Elf64_Shdr> sections;
    uint64_t namesIndex = 0;
    if (!readSectionHeaders(file, header, sections, namesIndex, error)) return false;
    std::string names;
    if (!readSectionData(file, sections[namesIndex], names))
        return failWith(error, "section name table lies outside the file");
    for (const Elf64_Shdr& section : sections) {
        std::string name;
        if (!sectionName(names, section.sh_name, name)) return failWith(error, "malformed section name");
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() || info.sections.count(name)) continue;
        if (section.sh_size > kMaxSectionBytes) {
            error = "section " + name + " is larger than " + std::to_string(kMaxSectionBytes >> 20) + " MiB";
            return false;
        }
        std::string data;
        if (!readSectionData(file, section, data)) return failWith(error, "section contents lie outside the file");
        info.sections[name] = std::move(data);
    }
    return true;
}

// The segments and dynamic section, as the dynamic linker would see them.
bool readLoadedImage(const ElfFile& file, const Elf64_Ehdr& header, const std::vector<std::string>& wantedExports,
                     ElfLibraryInfo& info, std::string& error) {
    ProgramHeaders program;
    if (!readProgramHeaders(file, header, program, error)) return false;
    ElfSegments segments(program.loads);
    ElfDynamic dynamic;
    if (!ReadElfDynamic(file, segments, program.dynamic, dynamic, error)) return false;
    // Linked as a program (-pie): its entry point is a program's start.
    if (dynamic.flags1 & DF_1_PIE) return failWith(error, "a program (position-independent executable), not a shared library");
    if (!checkEntry(segments, header.e_entry, error) || !checkConstructors(segments, dynamic, error)) return false;
    for (const std::string& name : wantedExports) {
        ElfExport found = ElfExport::Missing;
        if (!FindElfExport(file, segments, dynamic, name, found, error)) return false;
        info.exports[name] = found;
    }
    info.entry = header.e_entry;
    info.hasInterpreter = program.hasInterpreter;
    info.needed = std::move(dynamic.needed);
    return true;
}

}  // namespace

bool ReadElfLibrary(const std::string& path, const std::vector<std::string>& wantedExports,
                    const std::vector<std::string>& wantedSections, ElfLibraryInfo& info, std::string& error) {
    ElfFile file;
    if (!file.open(path, error)) return false;
    Elf64_Ehdr header;
    if (!file.read(0, header.e_ident, EI_NIDENT)) return failWith(error, "not an ELF file");
    if (!checkIdentification(header.e_ident, error)) return false;
    if (!file.read(0, &header, sizeof(header))) return failWith(error, "file header cut short");
    ElfLibraryInfo result;
    if (!checkHeader(header, error) || !readLoadedImage(file, header, wantedExports, result, error) ||
        !readWantedSections(file, header, wantedSections, result, error))
        return false;
    info = std::move(result);
    return true;
}
