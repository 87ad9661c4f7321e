// The Win32 stand-in's list box: results of the list box messages and the
// way the selection follows its entry, as Win32 does it.
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>
#include "win32.h"

namespace {

std::vector<std::string> entries(HWND list) {
    std::vector<std::string> out;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<char> text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1);
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        out.push_back(text.data());
    }
    return out;
}

LPARAM text(const char* s) { return reinterpret_cast<LPARAM>(s); }
WPARAM index(int i) { return static_cast<WPARAM>(static_cast<std::intptr_t>(i)); }

// One message sent to the list ["a", "b", "c", "d"] with "c" (2) selected.
struct ListCase {
    const char* name;
    UINT msg;
    int wParam;
    const char* lParam;
    LRESULT result;
    std::vector<std::string> after;
    LRESULT selectionAfter;
};
void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

class ListBoxMessage : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListBoxMessage, AnswersAndKeepsTheSelectionOnItsEntry) {
    const ListCase& c = GetParam();
    HWND list = CreateWindowA("LISTBOX", "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const char* s : {"a", "b", "c", "d"}) SendMessageA(list, LB_ADDSTRING, 0, text(s));
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    EXPECT_EQ(SendMessageA(list, c.msg, index(c.wParam), text(c.lParam)), c.result);
    EXPECT_EQ(entries(list), c.after);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), c.selectionAfter);
    DestroyWindow(list);
}

const std::vector<std::string> kAll = {"a", "b", "c", "d"};

INSTANTIATE_TEST_SUITE_P(
    Win32, ListBoxMessage,
    ::testing::Values(
        ListCase{"AddAppends", LB_ADDSTRING, 0, "e", 4, {"a", "b", "c", "d", "e"}, 2},
        ListCase{"InsertAboveSelectionMovesItDown", LB_INSERTSTRING, 0, "x", 0, {"x", "a", "b", "c", "d"}, 3},
        ListCase{"InsertAtSelectionMovesItDown", LB_INSERTSTRING, 2, "x", 2, {"a", "b", "x", "c", "d"}, 3},
        ListCase{"InsertBelowSelectionKeepsIt", LB_INSERTSTRING, 3, "x", 3, {"a", "b", "c", "x", "d"}, 2},
        ListCase{"InsertMinusOneAppends", LB_INSERTSTRING, -1, "x", 4, {"a", "b", "c", "d", "x"}, 2},
        ListCase{"InsertAtCountAppends", LB_INSERTSTRING, 4, "x", 4, {"a", "b", "c", "d", "x"}, 2},
        ListCase{"InsertPastCountFails", LB_INSERTSTRING, 5, "x", LB_ERR, kAll, 2},
        ListCase{"DeleteSelectedLeavesNoSelection", LB_DELETESTRING, 2, nullptr, 3, {"a", "b", "d"}, LB_ERR},
        ListCase{"DeleteAboveSelectionMovesItUp", LB_DELETESTRING, 0, nullptr, 3, {"b", "c", "d"}, 1},
        ListCase{"DeleteBelowSelectionKeepsIt", LB_DELETESTRING, 3, nullptr, 3, {"a", "b", "c"}, 2},
        ListCase{"DeleteOutOfRangeFails", LB_DELETESTRING, 4, nullptr, LB_ERR, kAll, 2},
        ListCase{"DeleteNegativeFails", LB_DELETESTRING, -1, nullptr, LB_ERR, kAll, 2},
        ListCase{"ResetEmptiesAndClearsSelection", LB_RESETCONTENT, 0, nullptr, 0, {}, LB_ERR},
        ListCase{"SetCurSelSelects", LB_SETCURSEL, 0, nullptr, 0, kAll, 0},
        ListCase{"SetCurSelMinusOneClearsAndAnswersErr", LB_SETCURSEL, -1, nullptr, LB_ERR, kAll, LB_ERR},
        ListCase{"SetCurSelOutOfRangeFailsAndClears", LB_SETCURSEL, 4, nullptr, LB_ERR, kAll, LB_ERR},
        ListCase{"GetTextLenOutOfRangeFails", LB_GETTEXTLEN, 4, nullptr, LB_ERR, kAll, 2}),
    [](const ::testing::TestParamInfo<ListCase>& c) { return std::string(c.param.name); });

struct Notification {
    HWND from;
    WPARAM wParam;
};
std::vector<Notification> notifications;

INT_PTR CALLBACK parentProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) notifications.push_back({reinterpret_cast<HWND>(lParam), wParam});
    return FALSE;
}

class ListBoxClick : public ::testing::Test {
protected:
    void SetUp() override {
        DialogTemplate d;
        d.id = 1;
        DialogControl notifying;
        notifying.id = 5;
        notifying.windowClass = "ListBox";
        notifying.style = LBS_NOTIFY;
        DialogControl silent = notifying;
        silent.id = 6;
        silent.style = 0;
        d.controls = {notifying, silent};
        ModuleResources r;
        r.dialogs[1] = d;
        RegisterModuleResources(kModule, r);
        dialog = CreateDialogParamA(kModule, 1, nullptr, parentProc, 0);
        for (int id : {5, 6})
            for (const char* s : {"a", "b"}) SendMessageA(GetDlgItem(dialog, id), LB_ADDSTRING, 0, text(s));
        notifications.clear();
    }
    void TearDown() override {
        DestroyWindow(dialog);
        UnregisterModuleResources(kModule);
    }
    HINSTANCE const kModule = reinterpret_cast<HINSTANCE>(0x7E58);
    HWND dialog = nullptr;
};

TEST_F(ListBoxClick, SelectsAndNotifiesTheParentWithSelChange) {
    HWND list = GetDlgItem(dialog, 5);
    EXPECT_TRUE(ListBoxSelect(list, 1));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    ASSERT_EQ(notifications.size(), 1u);
    EXPECT_EQ(notifications[0].from, list);
    EXPECT_EQ(LOWORD(notifications[0].wParam), 5);
    EXPECT_EQ(HIWORD(notifications[0].wParam), LBN_SELCHANGE);
}

TEST_F(ListBoxClick, ProgramSelectionAndListsWithoutNotifyStayQuiet) {
    SendMessageA(GetDlgItem(dialog, 5), LB_SETCURSEL, 1, 0);
    EXPECT_TRUE(ListBoxSelect(GetDlgItem(dialog, 6), 0));
    EXPECT_TRUE(notifications.empty());
}

TEST_F(ListBoxClick, ClickBelowTheEntriesOrOnADisabledListDoesNothing) {
    HWND list = GetDlgItem(dialog, 5);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    EXPECT_FALSE(ListBoxSelect(list, 2));
    EnableWindow(list, FALSE);
    EXPECT_FALSE(ListBoxSelect(list, 1));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(notifications.empty());
}

TEST(ListBoxSorted, AddKeepsEntriesInOrderWithoutRegardToCase) {
    HWND list = CreateWindowA("ListBox", "", LBS_SORT, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    for (const char* s : {"pear", "Apple", "fig", "banana"}) SendMessageA(list, LB_ADDSTRING, 0, text(s));
    EXPECT_EQ(entries(list), (std::vector<std::string>{"Apple", "banana", "fig", "pear"}));
    DestroyWindow(list);
}

}  // namespace

namespace {

// Each entry carries a value of the caller's, which moves with its entry
// as entries are inserted and deleted around it, as in Win32.
TEST(ListBoxItemData, TravelsWithItsEntry) {
    HWND list = CreateWindowA("LISTBOX", "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const char* s : {"a", "b", "c"}) SendMessageA(list, LB_ADDSTRING, 0, text(s));
    for (int i = 0; i < 3; ++i) EXPECT_NE(SendMessageA(list, LB_SETITEMDATA, index(i), 100 + i), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, index(3), 7), LB_ERR) << "no entry 3";
    SendMessageA(list, LB_INSERTSTRING, 0, text("x"));
    SendMessageA(list, LB_DELETESTRING, 2, 0);  // "b"
    EXPECT_EQ(entries(list), (std::vector<std::string>{"x", "a", "c"}));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 0) << "a new entry's value is 0";
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 100);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), 102);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 3, 0), LB_ERR);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), LB_ERR);
    DestroyWindow(list);
}

}  // namespace
