// Fuzz target: bytes as a scene file, run through the trellis command as a
// user runs it (read, checked, built, evaluated, written as JSON; then its
// first trellis object edited through the panel and the scene saved and
// built again). Besides memory errors and undefined behaviour, a run fails
// when the command answers in any way but the two it promises: exit status
// 0 with its output, or exit status 1 with one line "trellis: error: ...";
// and when a scene the edit saved does not build.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <dlfcn.h>
#include <unistd.h>
#include <nlohmann/json.hpp>
#include "app/commands/cli.h"
#include "app/scene/limits.h"
#include "app/scene/scene_file.h"
#include "app/scene/scene_limits.h"

namespace {

// Times of the two runs of each scene: its own time, then 0 and 2400.
const std::size_t RUN_TIMES = 3;
// Evaluation size beyond which a scene is not run (see skipsSlowScene).
const std::uint64_t FUZZ_EVALUATION_BUDGET = 20000;

std::string& scratchFolder() {
    static std::string folder;
    return folder;
}

void removeScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(scratchFolder(), ec);
}

struct Answer {
    int status = -1;
    std::string out;
    std::string err;
};

Answer runTrellisWith(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"trellis"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    Answer answer;
    answer.status = runTrellis(static_cast<int>(argv.size()), argv.data(), out, err);
    answer.out = out.str();
    answer.err = err.str();
    return answer;
}

[[noreturn]] void brokenPromise(const char* what, const Answer& answer) {
    std::fprintf(stderr, "fuzz_scene: %s\nstatus %d\nstderr: %s\n", what, answer.status, answer.err.c_str());
    std::abort();
}

// Whether the run succeeded; an input error must be one line and nothing else.
bool succeeded(const Answer& answer) {
    if (answer.status == EXIT_INPUT_ERROR) {
        bool oneLine = answer.err.find('\n') == answer.err.size() - 1;
        if (answer.err.rfind("trellis: error: ", 0) != 0 || !oneLine) brokenPromise("error is not one line", answer);
        if (answer.err.rfind("trellis: error: internal error", 0) == 0) brokenPromise("an exception escaped", answer);
        if (!answer.out.empty()) brokenPromise("output after an error", answer);
        return false;
    }
    if (answer.status != EXIT_OK) brokenPromise("unexpected exit status", answer);
    if (!answer.err.empty()) brokenPromise("error text after success", answer);
    return true;
}

// Returns the document of a successful run (null after an input error).
nlohmann::json checkAnswer(const Answer& answer) {
    if (!succeeded(answer)) return nullptr;
    nlohmann::json document = nlohmann::json::parse(answer.out, nullptr, false);
    if (document.is_discarded()) brokenPromise("output is not one JSON document", answer);
    return document;
}

// Deleting a trellis node that others may take as a section, at two more times.
void rerunWithDeletion(const std::string& scene, const nlohmann::json& document) {
    const nlohmann::json& objects = document.at("objects");
    if (objects.empty()) return;
    std::string name = objects.at(0).at("name").get<std::string>();
    checkAnswer(runTrellisWith({"build", scene, "--json", "-", "--time", "0", "--time", "2400", "--delete", name}));
}

// Opens the first trellis object's rollup, clicks through it and saves the
// scene: the saved scene must load and build. Clicks the panel refuses
// (an index out of range, a node it does not offer) are input errors.
void editAndRebuild(const std::string& scene, const nlohmann::json& document) {
    const nlohmann::json& objects = document.at("objects");
    if (objects.empty()) return;
    std::string name = objects.at(0).at("name").get<std::string>();
    std::string saved = scratchFolder() + "/edited.json";
    std::remove(saved.c_str());
    Answer edit = runTrellisWith({"edit", scene, "--object", name, "--type", "Bezier", "--down", "0", "--up", "1",
                                  "--remove", "0", "--save", saved});
    if (!succeeded(edit)) {
        if (std::filesystem::exists(saved)) brokenPromise("a refused edit wrote the scene", edit);
        return;
    }
    Answer rebuilt = runTrellisWith({"build", saved, "--json", "-"});
    if (checkAnswer(rebuilt).is_null()) brokenPromise("the edited scene does not build", rebuilt);
}

// A scene within the limits may still ask for cages of a million knots,
// which take many seconds: the fuzzer keeps to small cages, to try many
// scenes. Scenes over the limit are run, since they are refused at once.
bool skipsSlowScene(const std::string& text) {
    try {
        std::uint64_t size = measureEvaluationSize(parseScene(text), RUN_TIMES);
        return size > FUZZ_EVALUATION_BUDGET && size <= MAX_EVALUATION_SIZE;
    } catch (const SceneError&) {
        return false;
    }
}

// The plug-in carries the fuzzer's coverage counters. The trellis command
// loads and unloads it on every run, and the fuzzer would then clear the
// counters of an unloaded library; loaded once here for good, it stays.
void keepPluginsLoaded() {
    std::filesystem::path plugins = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "plugins";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(plugins, ec))
        if (entry.path().extension() == ".dlo" && !::dlopen(entry.path().c_str(), RTLD_NOW | RTLD_NODELETE)) {
            std::fprintf(stderr, "fuzz_scene: %s\n", ::dlerror());
            std::abort();
        }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    keepPluginsLoaded();
    std::string pattern = (std::filesystem::temp_directory_path() / "trellis-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    scratchFolder() = pattern;
    std::atexit(removeScratchFolder);
    // Without its plug-in every scene would be refused alike, and the run
    // would try nothing.
    Answer info = runTrellisWith({"info"});
    if (info.status != EXIT_OK) brokenPromise("the trellis plug-in does not load", info);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (skipsSlowScene(std::string(reinterpret_cast<const char*>(bytes), size))) return 0;
    std::string scene = scratchFolder() + "/scene.json";
    std::ofstream(scene, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes),
                                                                   static_cast<std::streamsize>(size));
    nlohmann::json document = checkAnswer(runTrellisWith({"build", scene, "--json", "-"}));
    if (document.is_null()) return 0;
    rerunWithDeletion(scene, document);
    editAndRebuild(scene, document);
    return 0;
}
