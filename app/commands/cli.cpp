#include "app/commands/cli.h"
#include <exception>
#include <ostream>
#include <string>
#include <CLI/CLI.hpp>
#include "app/commands/build_command.h"
#include "app/commands/edit_cli.h"
#include "app/commands/edit_command.h"
#include "app/commands/info_command.h"
#include "app/host/plugin_host.h"
#include "app/commands/plugin_option.h"

namespace {

const char* const USAGE_HINT =
    "usage: trellis build SCENE [--time T]... [--json FILE|-] [--svg FILE|- [--view top|front|left|iso]]\n"
    "                     [--obj FILE|-] [--html FILE|-] [--report] [--delete NODE]...\n"
    "       trellis demo [--scene FILE|-]\n"
    "       trellis info\n"
    "       trellis edit SCENE (--object NAME | --create NAME --at X,Y) [--add NAME[,NAME...]] [--remove I]\n"
    "                    [--up I] [--down I] [--type VALUE] [--help-page] ... [--save OUT|-] [--json FILE|-]\n"
    "       trellis --help\n"
    "--plugins DIR, given before the command, names the plug-in folder.\n";

int reportUsageError(std::ostream& err, std::string what) {
    for (char& c : what)
        if (c == '\n' || c == '\r') c = ' ';
    reportError(err, what, EXIT_USAGE_ERROR);
    err << USAGE_HINT;
    return EXIT_USAGE_ERROR;
}

// CLI11 takes a word it does not know for a stray argument ("A subcommand
// is required"); naming the unknown command says more. Null when the
// command word is known or missing.
const char* unknownCommand(int argc, const char* const* argv) {
    int i = commandIndex(argc, argv);
    if (i >= argc || argv[i][0] == '-') return nullptr;
    std::string command = argv[i];
    bool known = command == "build" || command == "demo" || command == "info" || command == "edit";
    return known ? nullptr : argv[i];
}

void addPictureOptions(CLI::App& build, BuildOutputs& outputs) {
    build.add_option("--svg", outputs.svgPath,
                     "Draw the cages of the first time as an SVG picture into FILE (- for standard output)")
        ->type_name("FILE|-");
    build.add_option_function<std::string>(
             "--view", [&outputs](const std::string& name) { outputs.view = *viewNamed(name); },
             "View of the picture: top (X right, Y up), front (X right, Z up), left (-Y right, Z up) or "
             "iso (isometric, from +X -Y +Z). Default: iso")
        ->check(CLI::IsMember({"top", "front", "left", "iso"}))
        ->type_name("VIEW");
    build.add_option("--obj", outputs.objPath,
                     "Write the cages of the first time as OBJ polylines into FILE (- for standard output)")
        ->type_name("FILE|-");
    build.add_option("--html", outputs.htmlPath,
                     "Write the cages of every time as an HTML page to turn in 3D into FILE (- for standard output)")
        ->type_name("FILE|-");
    build.add_flag("--report", outputs.report,
                   "Print how each pair of sections was joined and which knots got no link; "
                   "with --json, add it to every object as \"report\"");
}

void addBuildCommand(CLI::App& app, BuildOptions& options) {
    CLI::App* build = app.add_subcommand("build", "Evaluate every trellis object of a scene file");
    build->add_option("SCENE", options.scenePath, "Scene file (JSON)")->required()->type_name("");
    build->add_option("--time", options.times,
                      "Evaluation time in ticks (4800 a second); repeat for several frames. "
                      "Default: the scene's \"time\", else 0")
        ->allow_extra_args(false)
        ->type_name("T")
        ->transform(decimalInt());
    build->add_option("--json", options.outputs.jsonPath, "Write the cages as JSON to FILE, or to standard output for -")
        ->type_name("FILE|-");
    addPictureOptions(*build, options.outputs);
    build->add_option("--delete", options.deletions, "Delete this node after loading, before evaluation; repeatable")
        ->allow_extra_args(false)
        ->type_name("NODE");
}

void addDemoCommand(CLI::App& app, DemoOptions& options) {
    CLI::App* demo = app.add_subcommand(
        "demo", std::string("Build the embedded demo scene, write ") + DEMO_SVG_PATH + ", " + DEMO_JSON_PATH +
                    " and " + DEMO_HTML_PATH + " here and print its summary");
    demo->add_option("--scene", options.scenePath,
                     "Write the demo scene file into FILE (- for standard output) instead, as a start for your own")
        ->type_name("FILE|-");
}

}  // namespace

int runTrellis(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    try {
        CLI::App app("Builds trellis cages from scene files.", "trellis");
        app.require_subcommand(1);
        app.footer("Exit status: 0 success, 1 bad scene, unusable plug-in folder, refused edit or unwritable output, "
                   "2 usage error.");
        BuildOptions options;
        addBuildCommand(app, options);
        DemoOptions demoOptions;
        addDemoCommand(app, demoOptions);
        app.add_subcommand("info", "List the loaded plug-in files and their classes");
        EditOptions editOptions;
        addEditCommand(app, editOptions);
        std::string pluginFolder;
        addPluginsOption(app, pluginFolder);
        if (const char* unknown = unknownCommand(argc, argv))
            return reportUsageError(err, std::string("unknown command \"") + unknown + "\"");
        try {
            app.parse(argc, argv);
        } catch (const CLI::ParseError& e) {
            if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e, out, err);
            return reportUsageError(err, e.what());
        }
        if (countStdoutOutputs(options.outputs) > 1)
            return reportUsageError(err, "only one of --json, --svg, --obj and --html can write to standard output");
        // Declared before the commands run, so it unloads after their scenes are gone.
        std::unique_ptr<PluginHost> plugins = loadPlugins(pluginFolder, err);
        if (!plugins) return EXIT_INPUT_ERROR;
        if (app.got_subcommand("info")) return runInfo(*plugins, out, err);
        ClassDesc& trellisClass = plugins->trellisClass();
        if (app.got_subcommand("edit")) return runEdit(editOptions, trellisClass, out, err);
        if (app.got_subcommand("build")) return runBuild(options, trellisClass, out, err);
        return runDemo(demoOptions, trellisClass, out, err);
    } catch (const std::exception& e) {
        return reportErrorAbout(err, "internal error", e.what());
    } catch (...) {
        return reportError(err, "internal error");
    }
}
