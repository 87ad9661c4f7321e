// The plug-in code linked into the test program, attached the way the host
// attaches the library: its resource script registered under a module
// handle, then its entry point called with that handle.
#pragma once
#include <string>
#include "maxtypes.h"

// The text of a file of the source tree, e.g. "resources/trellis.rc".
std::string ReadSourceFile(const std::string& relativePath);

// Registers resources/trellis.rc under a handle of its own (once), calls
// DllMain with DLL_PROCESS_ATTACH and answers the handle. After it,
// GetString answers the library's strings.
HINSTANCE AttachStaticPluginModule();
