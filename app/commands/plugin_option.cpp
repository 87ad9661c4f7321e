#include "app/commands/plugin_option.h"
#include <cstring>
#include <ostream>
#include "app/commands/error_report.h"
#include "app/host/plugin_host.h"

void addPluginsOption(CLI::App& app, std::string& folder) {
    app.add_option(PLUGINS_OPTION, folder,
                   "Load the plug-ins from DIR (before the command). Default: $TRELLIS_PLUGINS, else the folder "
                   "\"plugins\" beside the program")
        ->envname(PLUGINS_VARIABLE)
        ->type_name("DIR");
}

std::unique_ptr<PluginHost> loadPlugins(const std::string& folder, std::ostream& err) {
    try {
        return std::make_unique<PluginHost>(folder.empty() ? DefaultPluginFolder() : folder);
    } catch (const PluginError& e) {
        reportError(err, e.what());
        return nullptr;
    }
}

namespace {

// "--plugins DIR" takes two words, "--plugins=DIR" one; 0 for anything else.
int pluginsOptionWords(const char* arg) {
    const std::size_t length = std::strlen(PLUGINS_OPTION);
    if (std::strncmp(arg, PLUGINS_OPTION, length) != 0) return 0;
    if (arg[length] == '\0') return 2;
    return arg[length] == '=' ? 1 : 0;
}

}  // namespace

int commandIndex(int argc, const char* const* argv) {
    int i = 1;
    while (i < argc && pluginsOptionWords(argv[i]) > 0) i += pluginsOptionWords(argv[i]);
    return i < argc ? i : argc;
}
