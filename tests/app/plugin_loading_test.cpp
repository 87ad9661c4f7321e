// The trellis program's plug-ins: found in the folder "plugins" beside the
// program, or where --plugins or TRELLIS_PLUGINS say; listed by `trellis
// info`; the only maker of trellis objects; and a folder that cannot serve
// is one error line.
#include <dlfcn.h>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <gtest/gtest.h>
#include "support/app_test_support.h"
#include "app/host/plugin_host.h"
#include "app/host/scene_builder.h"
#include "app/scene/scene_error.h"
#include "object/trellis_object.h"

namespace fs = std::filesystem;

namespace {

const std::string SAMPLE = std::string(TRELLIS_SOURCE_DIR) + "/tests/data/app_two_rims.json";
const std::string PLUGIN_FILE = TRELLIS_PLUGIN_FILE;
const std::string PLUGIN_FOLDER = fs::path(TRELLIS_PLUGIN_FILE).parent_path().string();

// Sets an environment variable for one test, and puts back what was there.
class EnvironmentScope {
public:
    EnvironmentScope(const char* variable, const std::optional<std::string>& value) : name(variable) {
        if (const char* old = std::getenv(variable)) saved = old;
        set(value);
    }
    ~EnvironmentScope() { set(saved); }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    void set(const std::optional<std::string>& value) {
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    const char* name;
    std::optional<std::string> saved;
};

TEST(PluginInfo, ListsTheLibraryAndItsClassFromTheFolderBesideTheProgram) {
    apptest::TempDir dir;
    EnvironmentScope noVariable("TRELLIS_PLUGINS", std::nullopt);
    apptest::RunResult run = apptest::runBinary(dir, {"info"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string besideProgram = (fs::path(TRELLIS_BINARY).parent_path() / "plugins" / "trellisObject.dlo").string();
    EXPECT_EQ(run.out, "plugin: " + besideProgram + "\n"
                       "  description: \" Gridwork library \"\n"
                       "  version: 0x17700D00\n"
                       "  class: \"TrellisObj\"\n"
                       "    category: \"Razazodod\"\n"
                       "    class id: (0x16F73A7F, 0x5F0D3760)\n"
                       "    super class id: 0x40\n");
}

// What a folder holds, and the error line that names the path at fault.
struct FolderFault {
    std::string name;
    std::function<std::string(const apptest::TempDir&)> prepare;   // answers the folder
    std::function<std::string(const std::string&)> expectedError;  // from the folder
};

void copyInto(const std::string& file, const std::string& folder, const std::string& name) {
    fs::create_directories(folder);
    fs::copy_file(file, folder + "/" + name);
}

const FolderFault FOLDER_FAULTS[] = {
    {"Missing", [](const apptest::TempDir& d) { return d.path("nowhere"); },
     [](const std::string& f) { return f + ": no such plug-in folder"; }},
    {"AFileNotAFolder", [](const apptest::TempDir& d) { return d.write("plain.txt", "x"); },
     [](const std::string& f) { return f + ": not a folder"; }},
    {"Empty",
     [](const apptest::TempDir& d) {
         fs::create_directories(d.path("empty"));
         return d.path("empty");
     },
     [](const std::string& f) { return f + ": no plug-in here provides the trellis object class (0x16F73A7F, 0x5F0D3760)"; }},
    {"UnloadableFile",
     [](const apptest::TempDir& d) {
         copyInto(TRELLIS_OLD_API_PLUGIN_FILE, d.path("old"), "old.dlo");
         return d.path("old");
     },
     [](const std::string& f) { return f + "/old.dlo: built for SDK interface 12, this host has 13"; }},
    {"NotALibrary",
     [](const apptest::TempDir& d) {
         fs::create_directories(d.path("text"));
         d.write("text/notes.dlo", "not a library");
         return d.path("text");
     },
     [](const std::string& f) { return f + "/notes.dlo: "; }},
    {"OneClassFromTwoFiles",
     [](const apptest::TempDir& d) {
         copyInto(PLUGIN_FILE, d.path("two"), "a.dlo");
         copyInto(PLUGIN_FILE, d.path("two"), "b.dlo");
         return d.path("two");
     },
     [](const std::string& f) {
         return f + "/b.dlo: class id (0x16F73A7F, 0x5F0D3760) is offered by " + f + "/a.dlo already";
     }},
};

class PluginFolderFault : public ::testing::TestWithParam<FolderFault> {};

// Every command needs the trellis class, so each stops before it reads anything.
TEST_P(PluginFolderFault, IsOneErrorLineAndStatusOne) {
    apptest::TempDir dir;
    const std::string folder = GetParam().prepare(dir);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"info"}, std::vector<std::string>{"build", SAMPLE}}) {
        std::vector<std::string> args{"--plugins", folder};
        args.insert(args.end(), command.begin(), command.end());
        apptest::RunResult run = apptest::runInProcess(args);
        EXPECT_EQ(run.status, 1) << command[0];
        EXPECT_EQ(run.out, "") << command[0];
        EXPECT_EQ(run.err.rfind("trellis: error: " + GetParam().expectedError(folder), 0), 0u) << run.err;
        EXPECT_EQ(apptest::countLines(run.err), 1) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, PluginFolderFault, ::testing::ValuesIn(FOLDER_FAULTS),
                         [](const ::testing::TestParamInfo<FolderFault>& testCase) { return testCase.param.name; });

// The option wins over the variable; the variable over the default folder.
TEST(PluginFolder, VariableNamesTheFolderAndTheOptionOverridesIt) {
    apptest::TempDir dir;
    fs::create_directories(dir.path("empty"));
    EnvironmentScope variable("TRELLIS_PLUGINS", dir.path("empty"));

    apptest::RunResult fromVariable = apptest::runBinary(dir, {"build", SAMPLE});
    EXPECT_EQ(fromVariable.status, 1);
    EXPECT_NE(fromVariable.err.find(dir.path("empty") + ": no plug-in here"), std::string::npos) << fromVariable.err;

    apptest::RunResult fromOption = apptest::runBinary(dir, {"--plugins", PLUGIN_FOLDER, "build", SAMPLE});
    EXPECT_EQ(fromOption.status, 0) << fromOption.err;
    EXPECT_NE(fromOption.out.find("Cage at time 2400"), std::string::npos) << fromOption.out;

    apptest::RunResult inProcess = apptest::runInProcess({"--plugins=" + PLUGIN_FOLDER, "info"});
    EXPECT_EQ(inProcess.status, 0) << inProcess.err;
}

TEST(PluginFolder, AnUnknownCommandAfterTheOptionIsNamed) {
    apptest::RunResult run = apptest::runInProcess({"--plugins", PLUGIN_FOLDER, "bulid"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown command \"bulid\""), std::string::npos) << run.err;
}

// The test program links the object's code too; the objects the program's
// scene builder makes must still be the plug-in's, with the plug-in's code
// and string table.
TEST(PluginObjects, TheSceneGetsItsTrellisObjectsFromThePluginFile) {
    SceneDesc desc = readSceneFile(SAMPLE);
    PluginHost plugins(PLUGIN_FOLDER);
    Scene scene;
    buildScene(desc, scene, plugins.trellisClass());
    INode* node = scene.FindNode("Cage");
    ASSERT_NE(node, nullptr);
    Object* object = node->GetObjectRef();
    ASSERT_NE(object, nullptr);
    Dl_info where{};
    ASSERT_NE(dladdr(*reinterpret_cast<void**>(object), &where), 0) << "the object's class table lies in no library";
    EXPECT_EQ(fs::canonical(where.dli_fname), fs::canonical(PLUGIN_FILE));
    TSTR name;
    object->InitNodeName(name);
    EXPECT_STREQ(name.data(), "TrellisObj");
}

}  // namespace
