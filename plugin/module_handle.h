// The library's module handle and the entry point that stores it.
#pragma once
#include "maxtypes.h"

// Null until the entry point has run; the string resources and the rollup
// dialog are found through it.
extern HINSTANCE hInstance;

// The library's entry point: the host calls it for every attach and detach
// notification. It is the ELF entry of the library file, not an export.
extern "C" __attribute__((visibility("hidden"))) BOOL DllMain(HINSTANCE module, ULONG reason, void* reserved);
