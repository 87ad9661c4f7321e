// Files in the plug-in folder that are not plug-ins of the SDK: the trellis
// program names the file and what it is in one error line, and nothing of
// the file runs. These run the built program, since the faults they guard
// against were crashes (a copy of the dynamic linker was called through its
// entry point) and foreign code printing (a copy of the C library printed
// its banner and the command went on as if nothing had happened).
#include <dlfcn.h>
#include <elf.h>
#include <sys/auxv.h>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include "support/app_test_support.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The file a loaded object came from, found through an address inside it.
std::string fileHolding(const void* address) {
    Dl_info info{};
    return dladdr(address, &info) && info.dli_fname ? info.dli_fname : "";
}

// The dynamic linker this process runs with: the kernel passes its base address.
std::string dynamicLinkerFile() {
    return fileHolding(reinterpret_cast<const void*>(getauxval(AT_BASE)));
}

std::string cLibraryFile() { return fileHolding(dlsym(RTLD_DEFAULT, "puts")); }

Elf64_Ehdr headerOf(const std::string& bytes) {
    Elf64_Ehdr header{};
    std::memcpy(&header, bytes.data(), std::min(bytes.size(), sizeof(header)));
    return header;
}

// The real plug-in cut one byte before the end of its last loaded segment:
// what an interrupted copy leaves.
std::string pluginCutInItsSegments() {
    std::string bytes = readFile(TRELLIS_PLUGIN_FILE);
    Elf64_Ehdr header = headerOf(bytes);
    uint64_t end = 0;
    for (int i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment;
        std::memcpy(&segment, bytes.data() + header.e_phoff + i * sizeof(segment), sizeof(segment));
        if (segment.p_type == PT_LOAD) end = std::max<uint64_t>(end, segment.p_offset + segment.p_filesz);
    }
    return bytes.substr(0, end - 1);
}

std::string pluginForAnotherMachine() {
    std::string bytes = readFile(TRELLIS_PLUGIN_FILE);
    Elf64_Ehdr header = headerOf(bytes);
    header.e_machine = header.e_machine == EM_AARCH64 ? EM_X86_64 : EM_AARCH64;
    std::memcpy(&bytes[0], &header, sizeof(header));
    return bytes;
}

// A 32-bit x86 shared object's file header and nothing else.
std::string thirtyTwoBitHeader() {
    Elf32_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS32;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_DYN;
    header.e_machine = EM_386;
    header.e_version = EV_CURRENT;
    header.e_ehsize = sizeof(header);
    return std::string(reinterpret_cast<const char*>(&header), sizeof(header));
}

struct ForeignFile {
    std::string name;
    std::function<std::string()> bytes;  // the contents of x.dlo
    std::string reason;                  // the error line after "PATH: "
};

const ForeignFile FOREIGN_FILES[] = {
    {"DynamicLinker", [] { return readFile(dynamicLinkerFile()); },
     "not a plug-in library (no export LibDescription)"},
    {"CLibrary", [] { return readFile(cLibraryFile()); }, "not a plug-in library (no export LibDescription)"},
    {"PlainText", [] { return std::string("LibDescription LibNumberClasses LibClassDesc LibVersion\n"); },
     "not an ELF file"},
    {"TruncatedPlugin", pluginCutInItsSegments, "a loaded segment lies outside the file"},
    {"PluginCutInItsHeader", [] { return readFile(TRELLIS_PLUGIN_FILE).substr(0, 40); }, "file header cut short"},
    {"OtherMachine", pluginForAnotherMachine, "built for another machine ("},
    {"ThirtyTwoBit", thirtyTwoBitHeader, "not a 64-bit ELF file"},
    {"PieProgram", [] { return readFile(TRELLIS_PIE_PROGRAM_FILE); },
     "a program (position-independent executable), not a shared library"},
    // The four exports and a constructor that prints, but no resource script:
    // refused as foreign before it is opened, so the constructor never runs.
    {"ConstructorWithoutResources", [] { return readFile(TRELLIS_CONSTRUCTOR_PLUGIN_FILE); },
     "no resource script (no .rsrc section)"},
};

void PrintTo(const ForeignFile& file, std::ostream* out) { *out << file.name; }

class ForeignPluginFile : public ::testing::TestWithParam<ForeignFile> {};

TEST_P(ForeignPluginFile, IsRefusedByNameWithNothingOfItRun) {
    apptest::TempDir dir;
    fs::create_directories(dir.path("plugins"));
    std::string bytes = GetParam().bytes();
    ASSERT_FALSE(bytes.empty()) << "no bytes for " << GetParam().name;
    const std::string file = dir.write("plugins/x.dlo", bytes);
    apptest::RunResult run = apptest::runBinary(dir, {"--plugins", dir.path("plugins"), "info"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("trellis: error: " + file + ": " + GetParam().reason, 0), 0u) << run.err;
    EXPECT_EQ(apptest::countLines(run.err), 1) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Files, ForeignPluginFile, ::testing::ValuesIn(FOREIGN_FILES),
                         [](const ::testing::TestParamInfo<ForeignFile>& testCase) { return testCase.param.name; });

// A library that would bring along another, not yet loaded, is refused
// before the other's constructor could run.
TEST(ForeignPluginFile, NeedingALibraryTheHostHasNotLoadedIsRefused) {
    apptest::TempDir dir;
    fs::create_directories(dir.path("plugins"));
    fs::create_symlink(TRELLIS_NEEDS_HELPER_PLUGIN_FILE, dir.path("plugins/needsHelper.dlo"));
    apptest::RunResult run = apptest::runBinary(dir, {"--plugins", dir.path("plugins"), "info"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "trellis: error: " + dir.path("plugins/needsHelper.dlo") +
                           ": needs libtrellisFixtureHelper.so, which is not one of the host's libraries\n");
}

}  // namespace
