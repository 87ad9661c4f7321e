// The plug-in library as the host sees it on every platform: where plug-in
// files are found, and, once the platform's loader has opened a file, its
// exports, its SDK interface check and its class descriptors. Also counts
// the live class descriptors.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include "plugapi.h"
#include "plugins/platform_library.h"

namespace fs = std::filesystem;

namespace {

// A library holds more classes than this only by mistake; listing them
// would only take long.
const int kMaxClasses = 4096;

int liveDescriptors = 0;

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
    std::string program = RunningProgramPath();
    if (program.empty()) return "plugins";
    return (fs::path(program).parent_path() / "plugins").string();
}

std::set<void*>& LoadedPluginHandles() {
    static std::set<void*> handles;
    return handles;
}

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::string& path, std::string& error) {
    std::unique_ptr<PluginLibrary> library(new PluginLibrary(path));
    std::string reason;
    bool ok = library->open(reason) && library->attach(reason) && library->resolveExports(reason) &&
              library->checkVersion(reason) && library->listClasses(reason);
    if (ok) return library;
    error = path + ": " + reason;
    return nullptr;  // the destructor undoes whatever was done
}

bool PluginLibrary::resolveExports(std::string& error) {
    libDescription = reinterpret_cast<LibDescriptionProc>(FindLibraryExport(handle, "LibDescription"));
    libNumberClasses = reinterpret_cast<LibNumberClassesProc>(FindLibraryExport(handle, "LibNumberClasses"));
    libClassDesc = reinterpret_cast<LibClassDescProc>(FindLibraryExport(handle, "LibClassDesc"));
    libVersion = reinterpret_cast<LibVersionProc>(FindLibraryExport(handle, "LibVersion"));
    const char* missing = !libDescription ? "LibDescription" : !libNumberClasses ? "LibNumberClasses"
                        : !libClassDesc ? "LibClassDesc" : !libVersion ? "LibVersion" : nullptr;
    if (!missing) return true;
    error = std::string("not a plug-in library (no export ") + missing + ")";
    return false;
}

// Only the SDK interface must match: releases and revisions of the same
// interface are compatible.
bool PluginLibrary::checkVersion(std::string& error) {
    version = libVersion();
    if (GetMaxApiNum(version) == MAX_API_NUM) return true;
    error = "built for SDK interface " + std::to_string(GetMaxApiNum(version)) + ", this host has " +
            std::to_string(MAX_API_NUM);
    return false;
}

bool PluginLibrary::listClasses(std::string& error) {
    const TCHAR* text = libDescription();
    description = text ? text : "";
    int count = libNumberClasses();
    if (count < 0 || count > kMaxClasses) {
        error = "LibNumberClasses answered " + std::to_string(count);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        ClassDesc* desc = libClassDesc(i);
        if (!desc) {
            error = "LibClassDesc(" + std::to_string(i) + ") answered null";
            return false;
        }
        classes.push_back(desc);
    }
    return true;
}

ClassDesc* PluginLibrary::ClassDescAt(int i) const {
    return i >= 0 && i < NumClasses() ? classes[static_cast<size_t>(i)] : nullptr;
}

// The class descriptor base: the host counts the descriptors alive so that
// a library's unloading can be seen to take its descriptors with it.
ClassDesc::ClassDesc() { ++liveDescriptors; }
ClassDesc::~ClassDesc() { --liveDescriptors; }

int LiveClassDescCount() { return liveDescriptors; }
