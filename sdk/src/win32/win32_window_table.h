// The stand-in's table of live windows, shared by the Win32 pieces: window
// functions, dialogs, buttons and list boxes.
#pragma once
#include <string>
#include <vector>
#include "win32.h"

// A built-in class's behaviour: what the class does with a message.
typedef LRESULT (*ClassProc)(HWND, UINT, WPARAM, LPARAM);

struct WindowRecord {
    std::string className;
    std::string caption;
    int id = 0;
    DWORD style = 0;
    RECT rect;
    bool enabled = true;
    HWND parent = nullptr;
    std::vector<HWND> children;  // in creation order
    ClassProc classProc = nullptr;
    DLGPROC dialogProc = nullptr;
    LONG_PTR userData = 0;
    bool destroying = false;  // DestroyWindow has begun on it
    // Buttons.
    WPARAM checkState = BST_UNCHECKED;
    // List boxes.
    std::vector<std::string> items;
    std::vector<LRESULT> itemData;   // one value per entry, 0 until set
    int selection = -1;
};

// The live window of a handle; null for a destroyed or unknown one. The
// record stays valid until its window is destroyed, which any message sent
// on from here may do: look the handle up again after sending.
WindowRecord* FindWindowRecord(HWND hwnd);

// The procedures of the built-in classes.
LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Sends the parent of control the WM_COMMAND carrying the control's id and
// a notification code, as controls tell their dialog what happened.
void NotifyParent(HWND control, WORD code);
