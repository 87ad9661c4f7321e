// Where plug-in libraries are found on Windows.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include "plugapi.h"
#include "winmodule.h"

namespace fs = std::filesystem;

namespace {

bool hasPluginExtension(const fs::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".dlo";
}

}  // namespace

// Windows file names ignore case, so ".DLO" counts as well.
std::vector<std::string> FindPluginFiles(const std::string& dir) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statError;
        if (it->is_regular_file(statError) && hasPluginExtension(it->path())) files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string DefaultPluginFolder() {
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "plugins";
    return (fs::path(std::string(program, length)).parent_path() / "plugins").string();
}
