// Where plug-in libraries are found.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include "plugapi.h"

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
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return "plugins";
    return (program.parent_path() / "plugins").string();
}
