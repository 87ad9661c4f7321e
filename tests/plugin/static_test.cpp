// The plug-in frame linked into the test program: the entry point, the
// string loader and the exports, driven directly.
#include <gtest/gtest.h>
#include "plugapi.h"
#include "plugin/get_string.h"
#include "plugin/module_handle.h"
#include "plugin/trellis_class_desc.h"
#include "support/plugin_static_module.h"
#include "resources/resource.h"
#include "winmodule.h"

extern "C" ClassDesc* LibClassDesc(int i);
extern "C" ULONG LibVersion();
extern "C" const TCHAR* LibDescription();

namespace {

// The handle is process-wide; the test puts it back as it found it.
TEST(PluginGetString, NullWhileNoModuleHandleIsStored) {
    AttachStaticPluginModule();
    HINSTANCE stored = hInstance;
    hInstance = nullptr;
    EXPECT_EQ(GetString(IDS_CLASS_NAME), nullptr);
    EXPECT_EQ(GetTrellisDesc()->ClassName(), nullptr);
    hInstance = stored;
}

TEST(PluginGetString, LoadsTheLibraryStrings) {
    AttachStaticPluginModule();
    EXPECT_STREQ(GetString(IDS_PARAMETERS), "Parameters");
    EXPECT_STREQ(GetString(IDS_CATEGORY), "Razazodod");
    EXPECT_STREQ(GetString(IDS_CLASS_NAME), "TrellisObj");
    EXPECT_EQ(GetString(40000), nullptr);
    EXPECT_EQ(GetString(-1), nullptr);
}

// Callers must copy the text at once: the next call overwrites it.
TEST(PluginGetString, TwoCallsShareOneBuffer) {
    AttachStaticPluginModule();
    const char* first = GetString(IDS_CLASS_NAME);
    const char* second = GetString(IDS_CATEGORY);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "Razazodod");
}

TEST(PluginEntryPoint, StoresEveryHandleAndInitialisesControlsOnce) {
    HINSTANCE module = AttachStaticPluginModule();
    int custom = InitCustomControlsCallCount();
    int common = InitCommonControlsCallCount();
    static char otherTag;
    HINSTANCE other = reinterpret_cast<HINSTANCE>(&otherTag);
    for (ULONG reason : {DLL_PROCESS_DETACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DLL_PROCESS_ATTACH}) {
        EXPECT_EQ(DllMain(other, reason, nullptr), TRUE);
        EXPECT_EQ(hInstance, other);
    }
    EXPECT_EQ(InitCustomControlsCallCount(), custom);
    EXPECT_EQ(InitCommonControlsCallCount(), common);
    EXPECT_EQ(DllMain(module, DLL_PROCESS_ATTACH, nullptr), TRUE);
    EXPECT_EQ(hInstance, module);
}

TEST(PluginExports, StaticCodeAnswersTheHostsQuestions) {
    EXPECT_STREQ(LibDescription(), " Gridwork library ");
    EXPECT_EQ(LibVersion(), VERSION_3DSMAX);
    EXPECT_EQ(LibClassDesc(0), GetTrellisDesc());
    EXPECT_EQ(LibClassDesc(1), nullptr);
    EXPECT_EQ(LibClassDesc(-1), nullptr);
}

}  // namespace
