// Where the trellis program finds its plug-ins: the global option
// --plugins DIR, else the environment variable TRELLIS_PLUGINS, else the
// folder "plugins" beside the program.
#pragma once
#include <iosfwd>
#include <memory>
#include <string>
#include <CLI/CLI.hpp>

class PluginHost;

const char* const PLUGINS_OPTION = "--plugins";
const char* const PLUGINS_VARIABLE = "TRELLIS_PLUGINS";

// `folder` stays empty when neither the option nor the variable is given.
void addPluginsOption(CLI::App& app, std::string& folder);

// Loads the plug-ins of `folder` (the default folder when empty). On
// failure prints "trellis: error: <path>: <reason>" to err and answers null.
std::unique_ptr<PluginHost> loadPlugins(const std::string& folder, std::ostream& err);

// The index in argv of the command word, past the global option and its
// folder; argc when there is none.
int commandIndex(int argc, const char* const* argv);
