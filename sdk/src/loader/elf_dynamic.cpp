// The dynamic section and the look-up of exported names (layout from
// <elf.h>; the System V hash table from the gABI, "Hash Table"; the GNU
// hash table and the rules for which symbol a look-up takes as glibc's
// dynamic linker applies them).
#include "loader/elf_dynamic.h"
#include <algorithm>
#include <limits>

namespace {

// Longest library name read: a path.
const uint64_t kMaxNameBytes = 4096;
// The hidden bit of a DT_VERSYM entry: a look-up without a version passes
// such a symbol by.
const Elf64_Half kHiddenVersion = 0x8000;

bool readEntries(const ElfFile& file, const ElfSegments& segments, const Elf64_Phdr& segment,
                 std::vector<Elf64_Dyn>& entries, std::string& error) {
    uint64_t offset = 0;
    if (!segments.fileOffset(segment.p_vaddr, segment.p_filesz, offset))
        return failWith(error, "dynamic section lies outside the loaded segments");
    std::string bytes;
    uint64_t count = segment.p_filesz / sizeof(Elf64_Dyn);
    if (!file.readBytes(offset, count * sizeof(Elf64_Dyn), bytes))
        return failWith(error, "dynamic section lies outside the file");
    for (uint64_t i = 0; i < count; ++i) {
        Elf64_Dyn entry;
        std::copy_n(bytes.data() + i * sizeof(Elf64_Dyn), sizeof(entry), reinterpret_cast<char*>(&entry));
        if (entry.d_tag == DT_NULL) return true;
        entries.push_back(entry);
    }
    return failWith(error, "malformed dynamic section (no end)");
}

// The name at index of the string table, which must end inside it.
bool readName(const ElfFile& file, const ElfDynamic& dynamic, uint64_t index, std::string& name) {
    if (index >= dynamic.stringsSize) return false;
    std::string bytes;
    if (!file.readBytes(dynamic.stringsOffset + index, std::min(dynamic.stringsSize - index, kMaxNameBytes), bytes))
        return false;
    size_t end = bytes.find('\0');
    if (end == std::string::npos || end == 0) return false;
    name = bytes.substr(0, end);
    return true;
}

class ExportLookup {
public:
    ExportLookup(const ElfFile& libraryFile, const ElfSegments& librarySegments, const ElfDynamic& libraryDynamic,
                 const std::string& wanted)
        : file(libraryFile), segments(librarySegments), dynamic(libraryDynamic), name(wanted) {}

    bool throughGnuHash(ElfExport& found, std::string& error) const;
    bool throughSysvHash(ElfExport& found, std::string& error) const;

private:
    // Entry index of the table at a link-time address.
    template <typename T>
    bool readAt(uint64_t table, uint64_t index, T& value) const {
        uint64_t address = 0;
        uint64_t offset = 0;
        return index <= std::numeric_limits<uint64_t>::max() / sizeof(T) &&
               addWithoutOverflow(table, index * sizeof(T), address) &&
               segments.fileOffset(address, sizeof(T), offset) && file.read(offset, &value, sizeof(T));
    }
    bool isNamed(uint32_t nameIndex) const;
    bool trySymbol(uint64_t index, bool& taken, ElfExport& found, std::string& error) const;

    const ElfFile& file;
    const ElfSegments& segments;
    const ElfDynamic& dynamic;
    const std::string& name;
};

bool ExportLookup::isNamed(uint32_t nameIndex) const {
    uint64_t length = name.size() + 1;
    if (nameIndex >= dynamic.stringsSize || length > dynamic.stringsSize - nameIndex) return false;
    std::string bytes;
    return file.readBytes(dynamic.stringsOffset + nameIndex, length, bytes) && bytes.back() == '\0' &&
           bytes.compare(0, name.size(), name) == 0;
}

// Whether the symbol at index is the definition the linker would take for
// the name (taken), and what it is.
bool ExportLookup::trySymbol(uint64_t index, bool& taken, ElfExport& found, std::string& error) const {
    taken = false;
    Elf64_Sym symbol;
    if (!readAt(dynamic.symbols, index, symbol))
        return failWith(error, "symbol table lies outside the loaded segments");
    unsigned char type = ELF64_ST_TYPE(symbol.st_info);
    unsigned char binding = ELF64_ST_BIND(symbol.st_info);
    // Not a definition in this library, or one a look-up passes by.
    if (symbol.st_shndx == SHN_UNDEF || (symbol.st_value == 0 && type != STT_TLS)) return true;
    if (binding != STB_GLOBAL && binding != STB_WEAK && binding != STB_GNU_UNIQUE) return true;
    if (!isNamed(symbol.st_name)) return true;
    if (dynamic.versions != 0) {
        Elf64_Half version = 0;
        if (!readAt(dynamic.versions, index, version))
            return failWith(error, "symbol version table lies outside the loaded segments");
        if (version & kHiddenVersion) return true;
    }
    taken = true;
    found = type == STT_FUNC && segments.isCode(symbol.st_value) ? ElfExport::Code : ElfExport::NotCode;
    return true;
}

uint32_t gnuHashOf(const std::string& text) {
    uint32_t hash = 5381;
    for (unsigned char c : text) hash = hash * 33 + c;
    return hash;
}

uint32_t sysvHashOf(const std::string& text) {
    uint32_t hash = 0;
    for (unsigned char c : text) {
        hash = (hash << 4) + c;
        uint32_t high = hash & 0xF0000000u;
        if (high) hash ^= high >> 24;
        hash &= ~high;
    }
    return hash;
}

// Header: bucket count, index of the first hashed symbol, Bloom filter
// words (64 bits each), Bloom shift; then the filter, the buckets, and one
// chain word per hashed symbol whose low bit ends a chain.
bool ExportLookup::throughGnuHash(ElfExport& found, std::string& error) const {
    found = ElfExport::Missing;
    uint32_t header[4];
    for (uint64_t i = 0; i < 4; ++i)
        if (!readAt(dynamic.gnuHash, i, header[i])) return failWith(error, "symbol hash table lies outside the loaded segments");
    const uint32_t buckets = header[0], firstHashed = header[1], bloomWords = header[2], bloomShift = header[3];
    if (buckets == 0 || bloomWords == 0 || bloomShift >= 32) return failWith(error, "malformed symbol hash table");
    uint64_t bloom = dynamic.gnuHash + 16;  // cannot wrap: the header was read
    uint64_t bucketTable = bloom + uint64_t{bloomWords} * 8;
    uint64_t chains = bucketTable + uint64_t{buckets} * 4;
    if (bucketTable < bloom || chains < bucketTable) return failWith(error, "malformed symbol hash table");

    const uint32_t hash = gnuHashOf(name);
    uint64_t word = 0;
    uint32_t first = 0;
    if (!readAt(bloom, (hash / 64) & (bloomWords - 1), word) || !readAt(bucketTable, hash % buckets, first))
        return failWith(error, "symbol hash table lies outside the loaded segments");
    if (((word >> (hash % 64)) & (word >> ((hash >> bloomShift) % 64)) & 1) == 0 || first == 0) return true;
    if (first < firstHashed) return failWith(error, "malformed symbol hash table");
    // Ends at a chain's last word, or where the table leaves the file.
    for (uint64_t index = first;; ++index) {
        uint32_t chained = 0;
        if (!readAt(chains, index - firstHashed, chained))
            return failWith(error, "symbol hash table lies outside the loaded segments");
        bool taken = false;
        if (((chained ^ hash) >> 1) == 0 && !trySymbol(index, taken, found, error)) return false;
        if (taken || (chained & 1)) return true;
    }
}

// Header: bucket count, chain count (= symbol count); then the buckets and
// the chains, each a symbol index, 0 ending a chain.
bool ExportLookup::throughSysvHash(ElfExport& found, std::string& error) const {
    found = ElfExport::Missing;
    uint32_t buckets = 0, symbols = 0;
    if (!readAt(dynamic.sysvHash, 0, buckets) || !readAt(dynamic.sysvHash, 1, symbols))
        return failWith(error, "symbol hash table lies outside the loaded segments");
    if (buckets == 0) return failWith(error, "malformed symbol hash table");
    uint64_t bucketTable = dynamic.sysvHash + 8;
    uint64_t chains = bucketTable + uint64_t{buckets} * 4;
    uint32_t index = 0;
    if (chains < bucketTable || !readAt(bucketTable, sysvHashOf(name) % buckets, index))
        return failWith(error, "symbol hash table lies outside the loaded segments");
    // A chain longer than the symbol count goes round in a circle.
    for (uint32_t steps = 0; index != STN_UNDEF; ++steps) {
        if (index >= symbols || steps >= symbols) return failWith(error, "malformed symbol hash table");
        bool taken = false;
        if (!trySymbol(index, taken, found, error)) return false;
        if (taken) return true;
        if (!readAt(chains, index, index)) return failWith(error, "symbol hash table lies outside the loaded segments");
    }
    return true;
}

}  // namespace

bool ReadElfDynamic(const ElfFile& file, const ElfSegments& segments, const Elf64_Phdr& dynamicSegment,
                    ElfDynamic& dynamic, std::string& error) {
    std::vector<Elf64_Dyn> entries;
    if (!readEntries(file, segments, dynamicSegment, entries, error)) return false;
    std::vector<uint64_t> neededNames, filteeNames;
    uint64_t strings = 0;
    bool hasStrings = false;
    for (const Elf64_Dyn& entry : entries) {
        const uint64_t value = entry.d_un.d_val;
        switch (entry.d_tag) {
            case DT_NEEDED: neededNames.push_back(value); break;
            case DT_AUXILIARY:
            case DT_FILTER: filteeNames.push_back(value); break;
            case DT_STRTAB:
                strings = value;
                hasStrings = true;
                break;
            case DT_STRSZ: dynamic.stringsSize = value; break;
            case DT_SYMTAB: dynamic.symbols = value; break;
            case DT_SYMENT:
                if (value != sizeof(Elf64_Sym)) return failWith(error, "malformed symbol table");
                break;
            case DT_GNU_HASH: dynamic.gnuHash = value; break;
            case DT_HASH: dynamic.sysvHash = value; break;
            case DT_VERSYM: dynamic.versions = value; break;
            case DT_FLAGS_1: dynamic.flags1 = value; break;
            case DT_INIT: dynamic.init = value; break;
            case DT_FINI: dynamic.fini = value; break;
            case DT_INIT_ARRAY: dynamic.initArray = value; break;
            case DT_INIT_ARRAYSZ: dynamic.initArraySize = value; break;
            case DT_FINI_ARRAY: dynamic.finiArray = value; break;
            case DT_FINI_ARRAYSZ: dynamic.finiArraySize = value; break;
            default: break;
        }
    }
    if (!hasStrings) dynamic.stringsSize = 0;
    else if (!segments.fileOffset(strings, dynamic.stringsSize, dynamic.stringsOffset))
        return failWith(error, "dynamic string table lies outside the loaded segments");
    neededNames.insert(neededNames.end(), filteeNames.begin(), filteeNames.end());
    for (uint64_t index : neededNames) {
        std::string name;
        if (!readName(file, dynamic, index, name)) return failWith(error, "malformed name of a needed library");
        dynamic.needed.push_back(name);
    }
    return true;
}

bool FindElfExport(const ElfFile& file, const ElfSegments& segments, const ElfDynamic& dynamic,
                   const std::string& name, ElfExport& found, std::string& error) {
    found = ElfExport::Missing;
    // Without a symbol table or a hash table the linker finds nothing.
    if (dynamic.symbols == 0) return true;
    ExportLookup lookup(file, segments, dynamic, name);
    if (dynamic.gnuHash != 0) return lookup.throughGnuHash(found, error);
    if (dynamic.sysvHash != 0) return lookup.throughSysvHash(found, error);
    return true;
}
