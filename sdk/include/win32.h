// The part of Win32 that the host and its plug-ins use here: windows and
// dialogs built from a module's dialog templates, buttons, static texts,
// group boxes, list boxes, and the shell's document launcher.
//
// The stand-in keeps every window in one table of the process. A handle is
// a serial number, never a memory address, and is never given out twice:
// a call on a destroyed or unknown handle fails the way Win32 fails (0,
// FALSE or null), and can never reach a window made later.
// There is no message queue, painting, focus or RegisterClass: the classes
// "BUTTON", "STATIC" and "LISTBOX" are built in, a dialog runs its dialog
// procedure, and any other class name makes a plain container window.
#pragma once
#ifdef _WIN32
// On Windows the plug-in and the host meet the real user32, comctl32 and
// shell32; what follows is the stand-in of every other platform.
#include "win32_real/windows_api.h"
#else
#include <string>
#include <vector>
#include "maxtypes.h"
#include "winres.h"

#define CALLBACK
#define WINAPI

struct HMENU__;
typedef HMENU__* HMENU;
typedef std::intptr_t LONG_PTR;

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
    long left = 0, top = 0, right = 0, bottom = 0;
};

// Window messages.
const UINT WM_DESTROY = 0x0002;
const UINT WM_INITDIALOG = 0x0110;
const UINT WM_COMMAND = 0x0111;

// Button messages, states and notifications.
const UINT BM_GETCHECK = 0x00F0;
const UINT BM_SETCHECK = 0x00F1;
const UINT BM_CLICK = 0x00F5;
const WPARAM BST_UNCHECKED = 0;
const WPARAM BST_CHECKED = 1;
const WORD BN_CLICKED = 0;

// List box messages, results and notifications.
const UINT LB_ADDSTRING = 0x0180;
const UINT LB_INSERTSTRING = 0x0181;
const UINT LB_DELETESTRING = 0x0182;
const UINT LB_RESETCONTENT = 0x0184;
const UINT LB_SETCURSEL = 0x0186;
const UINT LB_GETCURSEL = 0x0188;
const UINT LB_GETTEXT = 0x0189;
const UINT LB_GETTEXTLEN = 0x018A;
const UINT LB_GETCOUNT = 0x018B;
const UINT LB_GETITEMDATA = 0x0199;
const UINT LB_SETITEMDATA = 0x019A;
const LRESULT LB_ERR = -1;
const WORD LBN_SELCHANGE = 1;

// Window data indices and window relations.
const int GWL_STYLE = -16;
const int GWL_ID = -12;
const int GWLP_USERDATA = -21;
const UINT GW_HWNDNEXT = 2;
const UINT GW_CHILD = 5;

// Show commands.
const int SW_HIDE = 0;
const int SW_SHOWNORMAL = 1;

// Windows.
// The child id travels in hMenu, as in Win32. Positions are kept as given
// (dialog templates give dialog units; nothing converts them to pixels).
HWND CreateWindowA(LPCSTR className, LPCSTR caption, DWORD style, int x, int y, int width, int height,
                   HWND parent, HMENU menuOrId, HINSTANCE instance, void* param);
// Sends WM_DESTROY to the window and then to its descendants (parents
// first, as Win32 does), then invalidates all their handles.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
HWND GetParent(HWND hwnd);
// GW_CHILD: the first child; GW_HWNDNEXT: the next sibling (creation order).
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
// Answers whether the window was disabled before the call.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount);
int GetWindowTextLengthA(HWND hwnd);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
// The system classes answer with Win32's spelling ("Button", "ListBox",
// "Static") however their windows were created; others as created.
int GetClassNameA(HWND hwnd, LPSTR buffer, int maxCount);
// The window's rectangle relative to its parent, in the units it was made with.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
// GWL_STYLE, GWL_ID and GWLP_USERDATA; 0 for anything else.
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
// GWLP_USERDATA only; answers the previous value.
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
// Runs the window's procedure at once (there is no queue); 0 for a dead handle.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Dialogs.
// Builds the dialog of the module's template and its controls (in resource
// order), then sends WM_INITDIALOG (wParam: the first tab-stop control,
// lParam: param) to proc. Null when the module or the template is unknown,
// the parent is dead, or the procedure destroyed the dialog while starting.
HWND CreateDialogParamA(HINSTANCE module, int templateId, HWND parent, DLGPROC proc, LPARAM param);

// The user's click on entry index of a list box: selects it and, when the
// list box has LBS_NOTIFY, sends its parent WM_COMMAND with LBN_SELCHANGE.
// FALSE (nothing happens) for a disabled or dead list box or an index
// outside the entries, where a real click would hit nothing.
BOOL ListBoxSelect(HWND listBox, int index);

// Shell.
// The stand-in launches nothing: it records the request and answers 42, a
// value above 32 as a successful launch answers. A null file is refused
// (2, file not found) and not recorded. Null strings are recorded as "".
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        int showCommand);
struct ShellExecuteRecord {
    HWND parent = nullptr;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = 0;
};
// Every accepted request since the log was last cleared, oldest first.
const std::vector<ShellExecuteRecord>& ShellExecuteLog();
void ClearShellExecuteLog();
#endif
