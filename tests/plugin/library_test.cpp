// The built trellisObject.dlo, loaded as the host loads it.
#include <dlfcn.h>
#include <cstdio>
#include <set>
#include <gtest/gtest.h>
#include "object/trellis_object.h"
#include "plugapi.h"
#include "resources/resource.h"
#include "winres.h"

namespace {

std::unique_ptr<PluginLibrary> loadTrellisPlugin() {
    std::string error;
    std::unique_ptr<PluginLibrary> library = PluginLibrary::Load(TRELLIS_PLUGIN_FILE, error);
    EXPECT_NE(library, nullptr) << error;
    EXPECT_EQ(error, "");
    return library;
}

TEST(TrellisPlugin, DescribesItselfAndListsOneClass) {
    auto library = loadTrellisPlugin();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->Description(), " Gridwork library ");
    EXPECT_EQ(library->Version(), 0x17700D00ul);
    EXPECT_EQ(library->NumClasses(), 1);
    EXPECT_NE(library->ClassDescAt(0), nullptr);
    EXPECT_EQ(library->ClassDescAt(1), nullptr);
    EXPECT_EQ(library->ClassDescAt(-1), nullptr);
}

TEST(TrellisPlugin, LibClassDescAnswersOnlyIndexZero) {
    auto library = loadTrellisPlugin();
    ASSERT_NE(library, nullptr);
    auto libClassDesc = reinterpret_cast<LibClassDescProc>(dlsym(library->Module(), "LibClassDesc"));
    ASSERT_NE(libClassDesc, nullptr);
    EXPECT_EQ(libClassDesc(0), library->ClassDescAt(0));
    EXPECT_EQ(libClassDesc(1), nullptr);
    EXPECT_EQ(libClassDesc(-1), nullptr);
}

TEST(TrellisPlugin, DescriptorNamesAndIdentifiesTheClass) {
    auto library = loadTrellisPlugin();
    ASSERT_NE(library, nullptr);
    ClassDesc* desc = library->ClassDescAt(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_STREQ(desc->ClassName(), "TrellisObj");
    EXPECT_STREQ(desc->Category(), "Razazodod");
    EXPECT_EQ(desc->ClassID(), Class_ID(0x16F73A7F, 0x5F0D3760));
    EXPECT_EQ(desc->SuperClassID(), 0x40ul);
    EXPECT_EQ(desc->IsPublic(), TRUE);
}

class TrellisPluginCreate : public ::testing::TestWithParam<BOOL> {};

// Loading or not, the descriptor makes a fresh trellis object.
TEST_P(TrellisPluginCreate, MakesATrellisObject) {
    auto library = loadTrellisPlugin();
    ASSERT_NE(library, nullptr);
    auto* created = static_cast<Animatable*>(library->ClassDescAt(0)->Create(GetParam()));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->ClassID(), TRELLIS_CLASS_ID);
    auto* object = dynamic_cast<Object*>(created);
    ASSERT_NE(object, nullptr);
    EXPECT_STREQ(object->GetObjectName(), "TrellisObj");
    created->DeleteThis();
}

INSTANTIATE_TEST_SUITE_P(Loading, TrellisPluginCreate, ::testing::Values(FALSE, TRUE),
                         [](const ::testing::TestParamInfo<BOOL>& testCase) {
                             return std::string(testCase.param ? "WhileLoading" : "New");
                         });

// The entry point initialises the controls on its first notification only;
// the detach at unloading adds nothing. A second load is a fresh library,
// which also shows that unloading really took the first one away, with its
// static descriptor.
TEST(TrellisPlugin, ControlsInitialisedOncePerLoadAndDescriptorGoesWithTheLibrary) {
    int custom = InitCustomControlsCallCount();
    int common = InitCommonControlsCallCount();
    int descriptors = LiveClassDescCount();
    for (int load = 1; load <= 2; ++load) {
        auto library = loadTrellisPlugin();
        ASSERT_NE(library, nullptr);
        EXPECT_EQ(InitCustomControlsCallCount(), custom + load);
        EXPECT_EQ(InitCommonControlsCallCount(), common + load);
        EXPECT_EQ(LiveClassDescCount(), descriptors + 1);
        library.reset();
        EXPECT_EQ(InitCustomControlsCallCount(), custom + load);
        EXPECT_EQ(InitCommonControlsCallCount(), common + load);
        EXPECT_EQ(LiveClassDescCount(), descriptors);
    }
}

TEST(TrellisPlugin, ResourcesAreRegisteredWhileLoaded) {
    auto library = loadTrellisPlugin();
    ASSERT_NE(library, nullptr);
    HINSTANCE module = library->Module();
    const ModuleResources* resources = FindModuleResources(module);
    ASSERT_NE(resources, nullptr);
    ASSERT_EQ(resources->dialogs.count(IDD_TRELLIS_PANEL), 1u);
    EXPECT_EQ(resources->dialogs.at(IDD_TRELLIS_PANEL).controls.size(), 18u);
    EXPECT_EQ(resources->strings.at(IDS_PARAMETERS), "Parameters");
    library.reset();
    EXPECT_EQ(FindModuleResources(module), nullptr);
}

TEST(TrellisPlugin, SecondLoadOfTheSameFileIsRefused) {
    auto first = loadTrellisPlugin();
    ASSERT_NE(first, nullptr);
    std::string error;
    EXPECT_EQ(PluginLibrary::Load(TRELLIS_PLUGIN_FILE, error), nullptr);
    EXPECT_EQ(error, std::string(TRELLIS_PLUGIN_FILE) + ": already loaded");
    EXPECT_STREQ(first->ClassDescAt(0)->ClassName(), "TrellisObj");
}

TEST(TrellisPlugin, ExportsExactlyTheFourFunctions) {
    std::string command = std::string(TRELLIS_NM) + " -D --defined-only --format=posix '" + TRELLIS_PLUGIN_FILE + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof(line), pipe)) {
        std::string text(line);
        names.insert(text.substr(0, text.find(' ')));
    }
    EXPECT_EQ(pclose(pipe), 0);
    std::set<std::string> expected = {"LibClassDesc", "LibDescription", "LibNumberClasses", "LibVersion"};
    EXPECT_EQ(names, expected);
}

}  // namespace
