// The plug-in loader's refusals: every file that is not a usable plug-in
// library gives one clear line and leaves nothing loaded.
#include <dlfcn.h>
#include <elf.h>
#include <unistd.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
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
    {"Executable", [](Elf64_Ehdr& h) { h.e_type = ET_EXEC; }, "not a shared library"},
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
