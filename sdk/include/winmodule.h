// Win32 module functions a plug-in library uses: the notifications its entry
// point receives, its string resources, and the common controls.
#pragma once
#ifdef _WIN32
// On Windows the module functions are the real kernel32, user32 and comctl32.
#include "win32_real/windows_api.h"
#else
#include "maxtypes.h"

// Reasons passed to a library's entry point.
const ULONG DLL_PROCESS_DETACH = 0;
const ULONG DLL_PROCESS_ATTACH = 1;
const ULONG DLL_THREAD_ATTACH = 2;
const ULONG DLL_THREAD_DETACH = 3;

// A library's entry point (DllMain), as the loader calls it.
typedef BOOL (*DllEntryPoint)(HINSTANCE module, ULONG reason, void* reserved);

// Copies string resource `id` of `module` into buffer: at most bufferMax - 1
// characters and a terminator. Answers the number of characters copied, or 0
// when the module, the string or the buffer does not exist (the buffer is
// then left as it was).
int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int bufferMax);

// Registers the common control classes. The stand-in's controls need no
// registration, so it only counts the calls.
void InitCommonControls();
int InitCommonControlsCallCount();
#endif
