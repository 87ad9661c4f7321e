// Module resources as a Windows resource script describes them: string
// tables, dialog templates and the version block. The stand-in reads the
// script text that a plug-in library carries and keeps it per module handle.
#pragma once
#ifdef _WIN32
// On Windows the resources are the real ones, compiled into the library.
#include "win32_real/windows_api.h"
#else
#include <map>
#include <string>
#include <vector>
#include "maxtypes.h"

// Window and control styles used by dialog templates (Win32 values).
const DWORD WS_CHILD = 0x40000000L;
const DWORD WS_VISIBLE = 0x10000000L;
const DWORD WS_DISABLED = 0x08000000L;
const DWORD WS_VSCROLL = 0x00200000L;
const DWORD WS_BORDER = 0x00800000L;
const DWORD WS_TABSTOP = 0x00010000L;
const DWORD WS_GROUP = 0x00020000L;
const DWORD DS_SETFONT = 0x40L;
const DWORD BS_PUSHBUTTON = 0x0L;
const DWORD BS_AUTORADIOBUTTON = 0x9L;
const DWORD BS_GROUPBOX = 0x7L;
const DWORD SS_LEFT = 0x0L;
const DWORD SS_CENTER = 0x1L;
const DWORD LBS_NOTIFY = 0x1L;
const DWORD LBS_SORT = 0x2L;
const DWORD LBS_NOINTEGRALHEIGHT = 0x100L;
// More of the same, for scripts beyond the plug-in's own rollup.
const DWORD WS_POPUP = 0x80000000L;
const DWORD WS_CAPTION = 0x00C00000L;
const DWORD WS_SYSMENU = 0x00080000L;
const DWORD WS_HSCROLL = 0x00100000L;
const DWORD DS_MODALFRAME = 0x80L;
const DWORD BS_DEFPUSHBUTTON = 0x1L;
const DWORD BS_CHECKBOX = 0x2L;
const DWORD BS_AUTOCHECKBOX = 0x3L;
const DWORD BS_RADIOBUTTON = 0x4L;
const DWORD SS_RIGHT = 0x2L;
const DWORD SS_NOTIFY = 0x100L;
const DWORD LBS_MULTIPLESEL = 0x8L;
const DWORD LBS_EXTENDEDSEL = 0x800L;
const DWORD LBS_NOSEL = 0x4000L;
const DWORD LBS_STANDARD = LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER;

// Version resource id and fixed-info values (Win32 values).
const int VS_VERSION_INFO = 1;
const DWORD VS_FFI_FILEFLAGSMASK = 0x3FL;
const DWORD VS_FF_DEBUG = 0x1L;
const DWORD VOS__WINDOWS32 = 0x4L;
const DWORD VOS_NT_WINDOWS32 = 0x40004L;
const DWORD VFT_APP = 0x1L;
const DWORD VFT_DLL = 0x2L;
const DWORD VFT2_UNKNOWN = 0x0L;

struct DialogControl {
    int id = -1;
    std::string windowClass;  // "BUTTON", "STATIC" or "LISTBOX"
    std::string caption;
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    int id = 0;
    // DIALOGEX: the controls' ids are 32 bits. A DIALOG template keeps 16,
    // so its -1 (IDC_STATIC) comes back from the window as 65535.
    bool extended = false;
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string fontName;
    int fontSize = 0;
    std::vector<DialogControl> controls;  // in resource order
};

struct VersionResource {
    WORD fileVersion[4] = {0, 0, 0, 0};
    WORD productVersion[4] = {0, 0, 0, 0};
    std::map<std::string, std::string> strings;  // StringFileInfo values
};

struct ModuleResources {
    std::map<int, std::string> strings;
    std::map<int, DialogTemplate> dialogs;
    VersionResource version;
};

// Parses resource script text (#define lines of included id headers are
// resolved by the caller passing their text in `headers`). False with a
// message naming the line on a malformed script; `out` is then unchanged.
//
// The subset read: comments; #include (its definitions come from `headers`),
// #define and #undef of numeric names, #pragma; LANGUAGE; STRINGTABLE;
// DIALOG and DIALOGEX with STYLE, EXSTYLE, CAPTION and FONT, and the
// controls GROUPBOX, LTEXT, CTEXT, RTEXT, PUSHBUTTON, DEFPUSHBUTTON, LISTBOX
// and CONTROL of the classes "Button", "Static" and "ListBox"; VERSIONINFO
// with BLOCK and VALUE. Numbers are expressions of | & + - ~ and parentheses
// over numbers and names; styles also take NOT, which clears bits.
// A control keyword's own style is OR'd with the style written after it, as
// the resource compiler does (GROUPBOX BS_GROUPBOX; LTEXT, CTEXT, RTEXT
// SS_LEFT, SS_CENTER, SS_RIGHT with WS_GROUP; PUSHBUTTON, DEFPUSHBUTTON
// BS_PUSHBUTTON, BS_DEFPUSHBUTTON with WS_TABSTOP; LISTBOX LBS_NOTIFY |
// WS_BORDER; CONTROL nothing), and every control is WS_CHILD | WS_VISIBLE.
// A dialog without STYLE is WS_POPUP | WS_BORDER | WS_SYSMENU; FONT adds
// DS_SETFONT.
bool ParseResourceScript(const std::string& script, const std::vector<std::string>& headers,
                         ModuleResources& out, std::string& error);

// Resources of a loaded module, by its handle.
void RegisterModuleResources(HINSTANCE module, const ModuleResources& resources);
void UnregisterModuleResources(HINSTANCE module);
const ModuleResources* FindModuleResources(HINSTANCE module);
#endif
