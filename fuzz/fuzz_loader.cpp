// Fuzz target: bytes become a plug-in file "x.dlo", which the plug-in loader
// examines as it examines every file of a plug-in folder before opening it.
// Besides memory errors, undefined behaviour, hangs and leaks, a run fails
// when the examination refuses without one line saying why, or when any of
// the file was mapped by it (the file must not be loaded afterwards).
//
// A file the examination accepts is not opened here. Opening runs the
// file's code, which the loader trusts once the file passed: a mutated
// instruction would fault in the plug-in, not in the loader. And the
// plug-in carries the fuzzer's coverage counters, which the fuzzer would
// go on clearing after the copy was unloaded.
#include <dlfcn.h>
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include "loader/plugin_examination.h"

namespace fs = std::filesystem;

namespace {

// The input's file, in a folder of its own removed at exit.
class InputFile {
public:
    InputFile() {
        std::string pattern = (fs::temp_directory_path() / "fuzz_loader-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folder = pattern;
        path = folder + "/x.dlo";
    }
    ~InputFile() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // A new file each time, never the old one rewritten in place.
    void write(const uint8_t* data, size_t size) const {
        std::error_code ec;
        fs::remove(path, ec);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) std::abort();
    }

    std::string folder;
    std::string path;
};

const InputFile& inputFile() {
    static const InputFile file;
    return file;
}

[[noreturn]] void brokenPromise(const char* what, const std::string& error) {
    std::fprintf(stderr, "fuzz_loader: %s\nerror: %s\n", what, error.c_str());
    std::abort();
}

bool isLoaded(const std::string& path) {
    void* handle = ::dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle) ::dlclose(handle);
    return handle != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const InputFile& file = inputFile();
    file.write(data, size);
    ExaminedPlugin plugin;
    std::string error;
    bool accepted = ExaminePluginFile(file.path, plugin, error);
    if (!accepted && (error.empty() || error.find('\n') != std::string::npos))
        brokenPromise("a refusal is not one line", error);
    if (isLoaded(file.path)) brokenPromise("the examined file was loaded", error);
    return 0;
}
