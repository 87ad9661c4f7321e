#include "app/host/plugin_host.h"
#include <filesystem>
#include "app/host/class_id_text.h"
#include "object/itrellis_cage.h"

namespace {

void requireFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::file_status status = std::filesystem::status(folder, ec);
    if (!std::filesystem::exists(status)) throw PluginError(folder + ": no such plug-in folder");
    if (!std::filesystem::is_directory(status)) throw PluginError(folder + ": not a folder");
}

}  // namespace

// A failure part way leaves `loaded` to unload what came before.
PluginHost::PluginHost(const std::string& folder) {
    requireFolder(folder);
    for (const std::string& file : FindPluginFiles(folder)) loadFile(file);
    if (!trellis)
        throw PluginError(folder + ": no plug-in here provides the trellis object class " +
                          classIdText(TRELLIS_CLASS_ID));
}

void PluginHost::loadFile(const std::string& path) {
    std::string error;
    std::unique_ptr<PluginLibrary> library = PluginLibrary::Load(path, error);
    if (!library) throw PluginError(error);
    for (int i = 0; i < library->NumClasses(); ++i) claimClass(*library->ClassDescAt(i), path);
    loaded.push_back(std::move(library));
}

// Two files offering one class would leave it open which one makes the
// objects, so the later file is refused.
void PluginHost::claimClass(ClassDesc& desc, const std::string& path) {
    Class_ID id = desc.ClassID();
    auto claimed = classFiles.emplace(std::make_pair(desc.SuperClassID(), std::make_pair(id.PartA(), id.PartB())), path);
    if (!claimed.second)
        throw PluginError(path + ": class id " + classIdText(id) + " is offered by " + claimed.first->second +
                          " already");
    if (id == TRELLIS_CLASS_ID && desc.SuperClassID() == SHAPE_CLASS_ID) trellis = &desc;
}

PluginHost::~PluginHost() {
    while (!loaded.empty()) loaded.pop_back();
}
