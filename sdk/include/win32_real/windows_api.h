// The Win32 the plug-in and the host use, on Windows: the system's own
// headers. Only the stand-in's extras (its click and shell logs, its
// resource-script reader) have no counterpart here.
#pragma once
#include "maxtypes.h"

// The SDK's word macros have Win32's meaning; Win32's own spelling wins.
#undef LOWORD
#undef HIWORD
#undef MAKEWPARAM
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

// The SDK calls Win32 by its ANSI names (GetClassNameA); the character-set
// neutral macros would rename the SDK's own methods of the same name in
// whichever files see them.
#undef GetClassName

// A library's entry point (DllMain), as the loader calls it.
typedef BOOL(WINAPI* DllEntryPoint)(HINSTANCE module, ULONG reason, void* reserved);

// The host names dialog templates by number, as the stand-in's dialogs do.
inline HWND CreateDialogParamA(HINSTANCE module, int templateId, HWND parent, DLGPROC proc, LPARAM param) {
    return CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), parent, proc, param);
}
