#include "app/commands/info_command.h"
#include <ostream>
#include <sstream>
#include <string>
#include "app/host/class_id_text.h"
#include "app/commands/cli.h"
#include "app/output/atomic_write.h"
#include "app/host/plugin_host.h"
#include "app/scene/scene_error.h"

namespace {

// The descriptor's texts come from the library's string table, which may lack them.
std::string quotedOrNone(const TCHAR* text) { return text ? quoteName(text) : "none"; }

void printClass(ClassDesc& desc, std::ostream& out) {
    out << "  class: " << quotedOrNone(desc.ClassName()) << "\n";
    out << "    category: " << quotedOrNone(desc.Category()) << "\n";
    out << "    class id: " << classIdText(desc.ClassID()) << "\n";
    out << "    super class id: " << hexText(desc.SuperClassID()) << "\n";
}

void printLibrary(const PluginLibrary& library, std::ostream& out) {
    out << "plugin: " << library.Path() << "\n";
    out << "  description: " << quoteName(library.Description()) << "\n";
    out << "  version: " << hexText(library.Version()) << "\n";
    for (int i = 0; i < library.NumClasses(); ++i) printClass(*library.ClassDescAt(i), out);
}

}  // namespace

int runInfo(const PluginHost& plugins, std::ostream& out, std::ostream& err) {
    std::ostringstream text;
    for (const auto& library : plugins.libraries()) printLibrary(*library, text);
    OutputSet outputs(out);
    outputs.addStandardOutputText(text.str());
    try {
        outputs.commit();
    } catch (const OutputError& e) {
        return reportErrorAbout(err, e.path(), e.what());
    }
    return EXIT_OK;
}
