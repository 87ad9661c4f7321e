// Module resources as a Windows resource script describes them: string
// tables, dialog templates and the version block. The stand-in reads the
// script text that a plug-in library carries and keeps it per module handle.
#pragma once
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

struct DialogControl {
    int id = -1;
    std::string windowClass;  // "BUTTON", "STATIC" or "LISTBOX"
    std::string caption;
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    int id = 0;
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
// message naming the line on a malformed script.
bool ParseResourceScript(const std::string& script, const std::vector<std::string>& headers,
                         ModuleResources& out, std::string& error);

// Resources of a loaded module, by its handle.
void RegisterModuleResources(HINSTANCE module, const ModuleResources& resources);
void UnregisterModuleResources(HINSTANCE module);
const ModuleResources* FindModuleResources(HINSTANCE module);
