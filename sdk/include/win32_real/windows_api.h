// The Win32 the plug-in and the host use, on Windows: the system's own
// headers. Of the stand-in's extras only the user's click on a list entry
// has a counterpart here; its shell log and its resource-script reader
// have none.
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

// The user's click on entry index of a list box, made of real messages as
// on the stand-in: selects the entry and, when the list box has
// LBS_NOTIFY, sends its parent WM_COMMAND with LBN_SELCHANGE. FALSE
// (nothing happens) for a disabled or dead list box or an index outside
// the entries, where a real click would hit nothing: LB_SETCURSEL alone
// would select in a disabled list box too.
BOOL ListBoxSelect(HWND listBox, int index);
