#include "support/plugin_static_module.h"
#include <fstream>
#include <sstream>
#include <gtest/gtest.h>
#include "plugin/module_handle.h"
#include "winmodule.h"
#include "winres.h"

std::string ReadSourceFile(const std::string& relativePath) {
    std::ifstream in(std::string(TRELLIS_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

HINSTANCE AttachStaticPluginModule() {
    static char moduleTag;
    HINSTANCE module = reinterpret_cast<HINSTANCE>(&moduleTag);
    if (!FindModuleResources(module)) {
        ModuleResources resources;
        std::string error;
        bool parsed = ParseResourceScript(ReadSourceFile("resources/trellis.rc"),
                                          {ReadSourceFile("resources/resource.h")}, resources, error);
        EXPECT_TRUE(parsed) << error;
        RegisterModuleResources(module, resources);
    }
    DllMain(module, DLL_PROCESS_ATTACH, nullptr);
    return module;
}
