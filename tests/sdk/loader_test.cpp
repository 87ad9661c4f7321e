// The plug-in loader's refusals: every file that is not a usable plug-in
// library gives one clear line and leaves nothing loaded.
#include <dlfcn.h>
#include <elf.h>
#include <unistd.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <vector>
#include <gtest/gtest.h>
#include "plugapi.h"

namespace fs = std::filesystem;

namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class LoaderRefusalTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("trellis_loader_" + std::to_string(getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string writeFile(const std::string& name, const std::string& bytes) {
        std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // A copy of the real plug-in with its file header changed.
    std::string damagedPlugin(const std::string& name, const std::function<void(Elf64_Ehdr&)>& damage) {
        std::string bytes = readBytes(TRELLIS_PLUGIN_FILE);
        Elf64_Ehdr header;
        std::memcpy(&header, bytes.data(), sizeof(header));
        damage(header);
        std::memcpy(&bytes[0], &header, sizeof(header));
        return writeFile(name, bytes);
    }

    // Refused with "path: reason" and not left open.
    void expectRefused(const std::string& path, const std::string& reason) {
        std::string error;
        EXPECT_EQ(PluginLibrary::Load(path, error), nullptr);
        EXPECT_EQ(error, path + ": " + reason);
        EXPECT_EQ(error.find('\n'), std::string::npos);
        void* stillOpen = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_EQ(stillOpen, nullptr) << path << " stayed loaded";
        if (stillOpen) dlclose(stillOpen);
    }

    fs::path folder;
};

TEST_F(LoaderRefusalTest, MissingFile) {
    expectRefused((folder / "absent.dlo").string(), "cannot open the file");
}

TEST_F(LoaderRefusalTest, TextFile) {
    expectRefused(writeFile("text.dlo", "LIBRARY trellisObject.dlo\n"), "not an ELF file");
}

TEST_F(LoaderRefusalTest, EmptyFile) {
    expectRefused(writeFile("empty.dlo", ""), "not an ELF file");
}

TEST_F(LoaderRefusalTest, TruncatedLibrary) {
    std::string bytes = readBytes(TRELLIS_PLUGIN_FILE);
    expectRefused(writeFile("half.dlo", bytes.substr(0, bytes.size() / 2)), "section headers lie outside the file");
}

struct HeaderDamage {
    const char* name;
    std::function<void(Elf64_Ehdr&)> damage;
    const char* reason;
};

const HeaderDamage kHeaderDamages[] = {
    {"ThirtyTwoBit", [](Elf64_Ehdr& h) { h.e_ident[EI_CLASS] = ELFCLASS32; }, "not a 64-bit ELF file"},
    {"OtherByteOrder", [](Elf64_Ehdr& h) { h.e_ident[EI_DATA] = ELFDATA2MSB; }, "ELF file of the other byte order"},
    {"Executable", [](Elf64_Ehdr& h) { h.e_type = ET_EXEC; }, "an executable, not a shared library"},
    {"ObjectFile", [](Elf64_Ehdr& h) { h.e_type = ET_REL; }, "an object file, not a shared library"},
    {"OtherOperatingSystem", [](Elf64_Ehdr& h) { h.e_ident[EI_OSABI] = ELFOSABI_FREEBSD; },
     "built for another operating system (ELF OS/ABI 9)"},
    {"UnknownElfVersion", [](Elf64_Ehdr& h) { h.e_version = 7; }, "malformed file header (unknown ELF version)"},
    {"NoProgramHeaders", [](Elf64_Ehdr& h) { h.e_phnum = 0; }, "no program headers"},
    {"ProgramEntrySize", [](Elf64_Ehdr& h) { h.e_phentsize = 32; }, "malformed program headers"},
    {"SectionTableFarAway", [](Elf64_Ehdr& h) { h.e_shoff = ~0ull - 8; }, "section headers lie outside the file"},
    {"SectionCountTooLarge", [](Elf64_Ehdr& h) { h.e_shnum = 0xFFF0; }, "section headers lie outside the file"},
    {"SectionEntrySize", [](Elf64_Ehdr& h) { h.e_shentsize = 10; }, "malformed section headers"},
    {"NoSectionTable", [](Elf64_Ehdr& h) { h.e_shoff = 0; }, "no section headers"},
    {"NameTableIndex", [](Elf64_Ehdr& h) { h.e_shstrndx = static_cast<Elf64_Half>(h.e_shnum + 3); },
     "malformed section name table"},
    {"EntryOutsideCode", [](Elf64_Ehdr& h) { h.e_entry = 0x7FFFFFFF0000ull; },
     "entry point lies outside the library's code"},
    {"ProgramTableFarAway", [](Elf64_Ehdr& h) { h.e_phoff = ~0ull - 8; }, "program headers lie outside the file"},
};

class DamagedHeaderTest : public LoaderRefusalTest, public ::testing::WithParamInterface<HeaderDamage> {};

TEST_P(DamagedHeaderTest, IsRefusedBeforeOpening) {
    expectRefused(damagedPlugin(std::string(GetParam().name) + ".dlo", GetParam().damage), GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Headers, DamagedHeaderTest, ::testing::ValuesIn(kHeaderDamages),
                         [](const ::testing::TestParamInfo<HeaderDamage>& testCase) {
                             return std::string(testCase.param.name);
                         });

// A copy of the real plug-in, to be damaged in one place. Its tables are
// found through the section headers, not the way the loader finds them
// (through the program headers and the dynamic section).
class PluginImage {
public:
    PluginImage() : bytes(readBytes(TRELLIS_PLUGIN_FILE)) { header = get<Elf64_Ehdr>(0); }

    template <typename T>
    T get(uint64_t offset) const {
        T value;
        std::memcpy(&value, bytes.data() + offset, sizeof(value));
        return value;
    }
    template <typename T>
    void put(uint64_t offset, const T& value) {
        std::memcpy(&bytes[offset], &value, sizeof(value));
    }

    Elf64_Shdr section(Elf64_Word type) const {
        for (uint64_t i = 0; i < header.e_shnum; ++i) {
            Elf64_Shdr found = get<Elf64_Shdr>(header.e_shoff + i * sizeof(Elf64_Shdr));
            if (found.sh_type == type) return found;
        }
        ADD_FAILURE() << "the plug-in has no section of type " << type;
        return Elf64_Shdr{};
    }
    // File offset of the program header of the first segment of one of the types.
    uint64_t segmentHeader(std::initializer_list<Elf64_Word> types) const {
        for (uint64_t i = 0; i < header.e_phnum; ++i) {
            uint64_t at = header.e_phoff + i * sizeof(Elf64_Phdr);
            for (Elf64_Word type : types)
                if (get<Elf64_Phdr>(at).p_type == type) return at;
        }
        ADD_FAILURE() << "the plug-in has no such segment";
        return 0;
    }
    // File offsets of the dynamic entries with the tag.
    std::vector<uint64_t> dynamicEntries(Elf64_Sxword tag) const {
        Elf64_Shdr dynamic = section(SHT_DYNAMIC);
        std::vector<uint64_t> found;
        for (uint64_t at = dynamic.sh_offset; at < dynamic.sh_offset + dynamic.sh_size; at += sizeof(Elf64_Dyn))
            if (get<Elf64_Dyn>(at).d_tag == tag) found.push_back(at);
        return found;
    }
    void setDynamic(Elf64_Sxword tag, uint64_t value) {
        std::vector<uint64_t> entries = dynamicEntries(tag);
        ASSERT_FALSE(entries.empty()) << "no dynamic entry " << tag;
        Elf64_Dyn entry = get<Elf64_Dyn>(entries[0]);
        entry.d_un.d_val = value;
        put(entries[0], entry);
    }
    // File offset of a name of the dynamic string table.
    uint64_t dynamicName(uint64_t index) const {
        Elf64_Shdr strings = get<Elf64_Shdr>(header.e_shoff + section(SHT_DYNSYM).sh_link * sizeof(Elf64_Shdr));
        return strings.sh_offset + index;
    }
    uint64_t exportedSymbol(const std::string& name) const {
        Elf64_Shdr symbols = section(SHT_DYNSYM);
        for (uint64_t at = symbols.sh_offset; at < symbols.sh_offset + symbols.sh_size; at += sizeof(Elf64_Sym))
            if (bytes.compare(dynamicName(get<Elf64_Sym>(at).st_name), name.size() + 1, name.c_str(),
                              name.size() + 1) == 0)
                return at;
        ADD_FAILURE() << "the plug-in does not export " << name;
        return 0;
    }
    void changeExport(const std::string& name, const std::function<void(Elf64_Sym&)>& change) {
        uint64_t at = exportedSymbol(name);
        Elf64_Sym symbol = get<Elf64_Sym>(at);
        change(symbol);
        put(at, symbol);
    }
    uint64_t exportName(const std::string& name) const {
        return dynamicName(get<Elf64_Sym>(exportedSymbol(name)).st_name);
    }

    std::string bytes;
    Elf64_Ehdr header;
};

struct ImageDamage {
    const char* name;
    std::function<void(PluginImage&)> damage;
    const char* reason;
};

const uint64_t kNowhere = 0x7FFF0000ull;

const ImageDamage kImageDamages[] = {
    // The four exports, looked up through the GNU hash table.
    {"ExportIsData", [](PluginImage& p) { p.changeExport("LibVersion", [](Elf64_Sym& s) {
         s.st_info = ELF64_ST_INFO(STB_GLOBAL, STT_OBJECT); }); },
     "not a plug-in library (LibVersion is no function of its code)"},
    {"ExportIsIndirectFunction", [](PluginImage& p) { p.changeExport("LibClassDesc", [](Elf64_Sym& s) {
         s.st_info = ELF64_ST_INFO(STB_GLOBAL, STT_GNU_IFUNC); }); },
     "not a plug-in library (LibClassDesc is no function of its code)"},
    {"ExportOutsideCode", [](PluginImage& p) { p.changeExport("LibDescription", [](Elf64_Sym& s) {
         s.st_value = 8; }); },
     "not a plug-in library (LibDescription is no function of its code)"},
    {"ExportIsLocal", [](PluginImage& p) { p.changeExport("LibNumberClasses", [](Elf64_Sym& s) {
         s.st_info = ELF64_ST_INFO(STB_LOCAL, STT_FUNC); }); },
     "not a plug-in library (no export LibNumberClasses)"},
    {"ExportUndefined", [](PluginImage& p) { p.changeExport("LibDescription", [](Elf64_Sym& s) {
         s.st_shndx = SHN_UNDEF; }); },
     "not a plug-in library (no export LibDescription)"},
    // Same hash, other name: the chain is walked and the name compared.
    {"ExportRenamed", [](PluginImage& p) { p.bytes[p.exportName("LibVersion") + 9] = 'N'; },
     "not a plug-in library (no export LibVersion)"},
    {"HashTableEmpty", [](PluginImage& p) { p.put<uint32_t>(p.section(SHT_GNU_HASH).sh_offset, 0); },
     "malformed symbol hash table"},
    {"HashTableNowhere", [](PluginImage& p) { p.setDynamic(DT_GNU_HASH, kNowhere); },
     "symbol hash table lies outside the loaded segments"},
    {"SymbolTableNowhere", [](PluginImage& p) { p.setDynamic(DT_SYMTAB, kNowhere); },
     "symbol table lies outside the loaded segments"},
    {"StringTableNowhere", [](PluginImage& p) { p.setDynamic(DT_STRTAB, kNowhere); },
     "dynamic string table lies outside the loaded segments"},
    // What the dynamic linker runs at opening must lead into the library.
    {"ConstructorOutsideCode", [](PluginImage& p) { p.setDynamic(DT_INIT, 8); },
     "constructor or destructor lies outside the library's code"},
    {"ConstructorTableNowhere", [](PluginImage& p) { p.setDynamic(DT_INIT_ARRAY, kNowhere); },
     "constructor table lies outside the loaded segments"},
    {"DynamicSectionWithoutEnd", [](PluginImage& p) {
         for (uint64_t at : p.dynamicEntries(DT_NULL)) p.put(at, Elf64_Dyn{DT_DEBUG, {0}}); },
     "malformed dynamic section (no end)"},
    {"NoDynamicSection", [](PluginImage& p) {
         Elf64_Phdr s = p.get<Elf64_Phdr>(p.segmentHeader({PT_DYNAMIC}));
         s.p_type = PT_NULL;
         p.put(p.segmentHeader({PT_DYNAMIC}), s); },
     "no dynamic section"},
    {"SegmentLargerInFileThanInMemory", [](PluginImage& p) {
         uint64_t at = p.segmentHeader({PT_LOAD});
         Elf64_Phdr s = p.get<Elf64_Phdr>(at);
         s.p_filesz = s.p_memsz + 1;
         p.put(at, s); },
     "malformed loaded segment"},
    {"SegmentBeyondTheFile", [](PluginImage& p) {
         uint64_t at = p.segmentHeader({PT_LOAD});
         Elf64_Phdr s = p.get<Elf64_Phdr>(at);
         s.p_offset = p.bytes.size() - 16;
         p.put(at, s); },
     "a loaded segment lies outside the file"},
    // A file that also runs as a program starts one at its entry point.
    {"NamesAnInterpreter", [](PluginImage& p) {
         uint64_t at = p.segmentHeader({PT_NOTE, PT_GNU_STACK});
         Elf64_Phdr s = p.get<Elf64_Phdr>(at);
         s.p_type = PT_INTERP;
         p.put(at, s); },
     "a program as well as a library (it names an interpreter): its entry point is no DllMain"},
    {"LinkedAsProgram", [](PluginImage& p) {
         std::vector<uint64_t> entries = p.dynamicEntries(DT_SONAME);
         ASSERT_FALSE(entries.empty());
         p.put(entries[0], Elf64_Dyn{DT_FLAGS_1, {DF_1_PIE}}); },
     "a program (position-independent executable), not a shared library"},
};

class DamagedImageTest : public LoaderRefusalTest, public ::testing::WithParamInterface<ImageDamage> {};

TEST_P(DamagedImageTest, IsRefusedBeforeOpening) {
    PluginImage image;
    GetParam().damage(image);
    expectRefused(writeFile(std::string(GetParam().name) + ".dlo", image.bytes), GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Tables, DamagedImageTest, ::testing::ValuesIn(kImageDamages),
                         [](const ::testing::TestParamInfo<ImageDamage>& testCase) {
                             return std::string(testCase.param.name);
                         });

// Its constructors would run if it were opened; it must not be.
TEST_F(LoaderRefusalTest, NeedingALibraryTheHostHasNotLoaded) {
    PluginImage image;
    std::vector<uint64_t> needed = image.dynamicEntries(DT_NEEDED);
    ASSERT_FALSE(needed.empty());
    uint64_t name = image.dynamicName(image.get<Elf64_Dyn>(needed[0]).d_un.d_val);
    image.bytes[name] = 'X';
    std::string renamed = image.bytes.c_str() + name;
    expectRefused(writeFile("needs_other.dlo", image.bytes),
                  "needs " + renamed + ", which is not one of the host's libraries");
}

TEST_F(LoaderRefusalTest, FolderNamedLikeAPlugin) {
    fs::create_directories(folder / "folder.dlo");
    expectRefused((folder / "folder.dlo").string(), "not a regular file");
}

TEST_F(LoaderRefusalTest, ExportsWithoutResourceScript) {
    expectRefused(TRELLIS_CONSTRUCTOR_PLUGIN_FILE, "no resource script (no .rsrc section)");
}

TEST_F(LoaderRefusalTest, BrokenResourceScript) {
    std::string bytes = readBytes(TRELLIS_PLUGIN_FILE);
    size_t at = bytes.find("\"Razazodod\"");
    ASSERT_NE(at, std::string::npos);
    bytes[at + 10] = ' ';  // the string now runs to the end of its line
    std::string path = writeFile("broken_rc.dlo", bytes);
    std::string error;
    EXPECT_EQ(PluginLibrary::Load(path, error), nullptr);
    EXPECT_EQ(error.rfind(path + ": resource script line ", 0), 0u) << error;
    EXPECT_NE(error.find("unterminated string"), std::string::npos) << error;
}

TEST_F(LoaderRefusalTest, OlderSdkInterface) {
    expectRefused(TRELLIS_OLD_API_PLUGIN_FILE, "built for SDK interface 12, this host has 13");
}

// The host's own library has none of the four exports (and must not be
// unloaded by the refusal: it stays in use).
TEST_F(LoaderRefusalTest, LibraryWithoutExports) {
    std::string error;
    EXPECT_EQ(PluginLibrary::Load(TRELLIS_MAXSDK_FILE, error), nullptr);
    EXPECT_EQ(error, std::string(TRELLIS_MAXSDK_FILE) + ": not a plug-in library (no export LibDescription)");
}

TEST(VersionStamp, ReleaseInterfaceAndRevision) {
    EXPECT_EQ(VERSION_3DSMAX, 0x17700D00ul);
    EXPECT_EQ(VERSION_3DSMAX, 393219328ul);
    EXPECT_EQ(GetMaxRelease(VERSION_3DSMAX), 6000ul);
    EXPECT_EQ(GetMaxApiNum(VERSION_3DSMAX), 13ul);
    EXPECT_EQ(GetMaxSdkRev(VERSION_3DSMAX), 0ul);
}

TEST_F(LoaderRefusalTest, FindPluginFilesListsDloFilesSorted) {
    writeFile("b.dlo", "");
    writeFile("A.DLO", "");
    writeFile("c.dlo.txt", "");
    writeFile("dlo", "");
    fs::create_directories(folder / "d.dlo");
    std::vector<std::string> expected = {(folder / "A.DLO").string(), (folder / "b.dlo").string()};
    EXPECT_EQ(FindPluginFiles(folder.string()), expected);
    EXPECT_TRUE(FindPluginFiles((folder / "absent").string()).empty());
}

}  // namespace
