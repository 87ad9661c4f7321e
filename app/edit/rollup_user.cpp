#include "app/edit/rollup_user.h"
#include <algorithm>
#include <cctype>
#include <cstring>
#include "app/scene/scene_error.h"
#include "resources/resource.h"

// The latest rollup with a section list: the host opens one per edited object.
RollupUser::RollupUser(IObjParam& host) {
    for (const RollupPage& page : host.GetRollups())
        if (GetDlgItem(page.hwnd, IDC_SECTION_LIST)) rollup = page.hwnd;
    if (!rollup) throw SceneError("the object opened no rollup with a section list");
}

int RollupUser::entryCount() const {
    return static_cast<int>(SendMessageA(control(IDC_SECTION_LIST), LB_GETCOUNT, 0, 0));
}

std::vector<std::string> RollupUser::entries() const {
    HWND list = control(IDC_SECTION_LIST);
    std::vector<std::string> texts;
    for (int i = 0, n = entryCount(); i < n; ++i) {
        std::vector<char> text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1);
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text.data());
    }
    return texts;
}

void RollupUser::selectEntry(int i, const std::string& given) {
    const int count = entryCount();
    if (i < 0 || i >= count) {
        std::string entries = count == 0 ? "the list is empty" : "the list has entries 0 to " + std::to_string(count - 1);
        throw SceneError(given + ": no list entry " + std::to_string(i) + " (" + entries + ")");
    }
    if (!ListBoxSelect(control(IDC_SECTION_LIST), i)) throw SceneError(given + ": the section list takes no clicks");
}

void RollupUser::click(int id, const std::string& given) { clickButton(control(id), given); }

// Win32 acts on BM_CLICK also for a disabled button, which no user can
// click: the enabled state is the program's to check.
void RollupUser::clickButton(HWND button, const std::string& given) {
    if (!button || !IsWindowEnabled(button)) throw SceneError(given + ": the button is disabled");
    SendMessageA(button, BM_CLICK, 0, 0);
}

namespace {

std::string windowText(HWND hwnd) {
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1);
    GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// Window classes are named without regard to case: a dialog template may
// say "BUTTON" for the class that Windows calls "Button".
bool isButton(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, static_cast<int>(sizeof name));
    const std::string button = "button";
    return std::equal(button.begin(), button.end(), name, name + std::strlen(name), [](char a, char b) {
        return a == std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

void RollupUser::clickCaptioned(const std::string& caption, const std::string& given) {
    for (HWND child = GetWindow(rollup, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (isButton(child) && windowText(child) == caption) return clickButton(child, given);
    throw SceneError(given + ": the rollup has no button " + quoteName(caption));
}
