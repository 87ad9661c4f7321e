#include "app/cli.h"
#include <exception>
#include <ostream>
#include <string>
#include <CLI/CLI.hpp>
#include "app/build_command.h"

namespace {

const char* const USAGE_HINT =
    "usage: trellis build SCENE [--time T]... [--json FILE|-] [--delete NODE]...\n"
    "       trellis demo\n"
    "       trellis --help\n";

int reportUsageError(std::ostream& err, std::string what) {
    for (char& c : what)
        if (c == '\n' || c == '\r') c = ' ';
    err << "trellis: error: " << what << "\n" << USAGE_HINT;
    return EXIT_USAGE_ERROR;
}

// CLI11 takes a word it does not know for a stray argument ("A subcommand
// is required"); naming the unknown command says more.
bool isUnknownCommand(int argc, const char* const* argv) {
    if (argc < 2 || argv[1][0] == '-') return false;
    std::string command = argv[1];
    return command != "build" && command != "demo";
}

void addBuildCommand(CLI::App& app, BuildOptions& options) {
    CLI::App* build = app.add_subcommand("build", "Evaluate every trellis object of a scene file");
    build->add_option("SCENE", options.scenePath, "Scene file (JSON)")->required()->type_name("");
    build->add_option("--time", options.times,
                      "Evaluation time in ticks (4800 a second); repeat for several frames. "
                      "Default: the scene's \"time\", else 0")
        ->allow_extra_args(false)
        ->type_name("T");
    build->add_option("--json", options.jsonPath, "Write the cages as JSON to FILE, or to standard output for -")
        ->type_name("FILE|-");
    build->add_option("--delete", options.deletions, "Delete this node after loading, before evaluation; repeatable")
        ->allow_extra_args(false)
        ->type_name("NODE");
}

}  // namespace

int runTrellis(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    try {
        CLI::App app("Builds trellis cages from scene files.", "trellis");
        app.require_subcommand(1);
        app.footer("Exit status: 0 success, 1 bad scene or unwritable output, 2 usage error.");
        BuildOptions options;
        addBuildCommand(app, options);
        app.add_subcommand("demo", "Build the embedded demo scene and print its summary");
        if (isUnknownCommand(argc, argv)) return reportUsageError(err, std::string("unknown command \"") + argv[1] + "\"");
        try {
            app.parse(argc, argv);
        } catch (const CLI::ParseError& e) {
            if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e, out, err);
            return reportUsageError(err, e.what());
        }
        return app.got_subcommand("build") ? runBuild(options, out, err) : runDemo(out, err);
    } catch (const std::exception& e) {
        err << "trellis: error: internal error: " << e.what() << "\n";
    } catch (...) {
        err << "trellis: error: internal error\n";
    }
    return EXIT_INPUT_ERROR;
}
