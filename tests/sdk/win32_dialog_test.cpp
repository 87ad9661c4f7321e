// The Win32 stand-in's windows and dialogs: building a dialog from a module's
// template, destruction and dead handles, enabling, and buttons.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "win32.h"

namespace {

// A module handle of the tests' own; nothing is ever loaded at it.
HINSTANCE const kModule = reinterpret_cast<HINSTANCE>(0x7E57);
const int kDialog = 300;
enum { kFirstRadio = 10, kSecondRadio, kThirdRadio, kOtherRadio, kPush = 20, kList = 30 };

DialogControl control(int id, const char* cls, const char* caption, DWORD style) {
    DialogControl c;
    c.id = id;
    c.windowClass = cls;
    c.caption = caption;
    c.style = style | WS_CHILD | WS_VISIBLE;
    return c;
}

// Two radio groups (the second starts at kOtherRadio), a push button and a list.
ModuleResources testResources() {
    DialogTemplate d;
    d.id = kDialog;
    d.caption = "Test";
    d.controls = {control(-1, "Static", "label", SS_LEFT | WS_GROUP),
                  control(kFirstRadio, "Button", "One", BS_AUTORADIOBUTTON | WS_GROUP),
                  control(kSecondRadio, "Button", "Two", BS_AUTORADIOBUTTON),
                  control(kThirdRadio, "Button", "Three", BS_AUTORADIOBUTTON),
                  control(kOtherRadio, "Button", "Other", BS_AUTORADIOBUTTON | WS_GROUP),
                  control(kPush, "Button", "Push", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED),
                  control(kList, "ListBox", "", LBS_NOTIFY | WS_TABSTOP)};
    ModuleResources r;
    r.dialogs[kDialog] = d;
    return r;
}

struct Message {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Message> received;

INT_PTR CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    received.push_back({hwnd, msg, wParam, lParam});
    return FALSE;
}

class Win32Dialog : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterModuleResources(kModule, testResources());
        received.clear();
        dialog = CreateDialogParamA(kModule, kDialog, nullptr, recordingProc, 77);
        ASSERT_NE(dialog, nullptr);
        received.clear();
    }
    void TearDown() override {
        DestroyWindow(dialog);
        UnregisterModuleResources(kModule);
    }
    HWND item(int id) { return GetDlgItem(dialog, id); }
    LRESULT checked(int id) { return SendMessageA(item(id), BM_GETCHECK, 0, 0); }
    HWND dialog = nullptr;
};

TEST_F(Win32Dialog, BuildsControlsInResourceOrderAndStartsWithInitDialog) {
    received.clear();
    HWND second = CreateDialogParamA(kModule, kDialog, nullptr, recordingProc, 77);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].msg, WM_INITDIALOG);
    EXPECT_EQ(received[0].lParam, 77);
    // The first tab stop is the push button.
    EXPECT_EQ(reinterpret_cast<HWND>(received[0].wParam), GetDlgItem(second, kPush));
    std::vector<std::string> captions;
    for (HWND c = GetWindow(second, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[32];
        GetWindowTextA(c, text, sizeof(text));
        captions.push_back(text);
        EXPECT_EQ(GetParent(c), second);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"label", "One", "Two", "Three", "Other", "Push", ""}));
    EXPECT_EQ(GetDlgCtrlID(GetDlgItem(second, kList)), kList);
    DestroyWindow(second);
}

TEST_F(Win32Dialog, UnknownModuleOrTemplateMakesNoDialog) {
    EXPECT_EQ(CreateDialogParamA(reinterpret_cast<HINSTANCE>(0xBAD), kDialog, nullptr, recordingProc, 0), nullptr);
    EXPECT_EQ(CreateDialogParamA(kModule, kDialog + 1, nullptr, recordingProc, 0), nullptr);
    EXPECT_TRUE(received.empty());
}

TEST_F(Win32Dialog, DestroyTellsTheDialogAndLeavesEveryHandleDead) {
    HWND push = item(kPush);
    HWND list = item(kList);
    ASSERT_TRUE(DestroyWindow(dialog));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].msg, WM_DESTROY);
    for (HWND dead : {dialog, push, list}) {
        EXPECT_FALSE(IsWindow(dead));
        EXPECT_EQ(SendMessageA(dead, LB_GETCOUNT, 0, 0), 0);
        EXPECT_FALSE(EnableWindow(dead, TRUE));
        EXPECT_FALSE(IsWindowEnabled(dead));
        char text[8] = "x";
        EXPECT_EQ(GetWindowTextA(dead, text, sizeof(text)), 0);
        EXPECT_STREQ(text, "");
        EXPECT_FALSE(DestroyWindow(dead));
    }
    EXPECT_EQ(GetDlgItem(dialog, kPush), nullptr);
    EXPECT_FALSE(ListBoxSelect(list, 0));
    // A handle is never given out again, so a stale one cannot reach a new window.
    HWND fresh = CreateDialogParamA(kModule, kDialog, nullptr, recordingProc, 0);
    EXPECT_NE(fresh, dialog);
    EXPECT_FALSE(IsWindow(push));
    dialog = fresh;
}

TEST_F(Win32Dialog, EnableWindowAnswersWhetherItWasDisabled) {
    HWND push = item(kPush);
    EXPECT_FALSE(IsWindowEnabled(push));  // WS_DISABLED in the template
    EXPECT_TRUE(EnableWindow(push, TRUE));
    EXPECT_TRUE(IsWindowEnabled(push));
    EXPECT_FALSE(EnableWindow(push, TRUE));
    EXPECT_FALSE(EnableWindow(push, FALSE));
    EXPECT_TRUE(EnableWindow(push, FALSE));
}

TEST_F(Win32Dialog, ClickTellsTheParentTheIdAndBnClicked) {
    EnableWindow(item(kPush), TRUE);
    SendMessageA(item(kPush), BM_CLICK, 0, 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].hwnd, dialog);
    EXPECT_EQ(received[0].msg, WM_COMMAND);
    EXPECT_EQ(LOWORD(received[0].wParam), kPush);
    EXPECT_EQ(HIWORD(received[0].wParam), BN_CLICKED);
    EXPECT_EQ(reinterpret_cast<HWND>(received[0].lParam), item(kPush));
}

// BM_CLICK is a message, not the mouse: Win32 acts on it for a disabled
// button too, so a program that clicks what a user could not is caught.
TEST_F(Win32Dialog, ClickOnADisabledButtonStillTellsTheParent) {
    ASSERT_FALSE(IsWindowEnabled(item(kPush)));
    SendMessageA(item(kPush), BM_CLICK, 0, 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(LOWORD(received[0].wParam), kPush);
    EXPECT_EQ(HIWORD(received[0].wParam), BN_CLICKED);
}

// Real Win32 answers "Button" for a control the template calls "BUTTON":
// a program that compares class names exactly would miss it there.
TEST_F(Win32Dialog, SystemClassesAnswerWithTheirOwnSpelling) {
    auto classOf = [](HWND hwnd) {
        char name[32] = {};
        GetClassNameA(hwnd, name, static_cast<int>(sizeof name));
        return std::string(name);
    };
    EXPECT_EQ(classOf(GetWindow(dialog, GW_CHILD)), "Static");
    EXPECT_EQ(classOf(item(kPush)), "Button");
    EXPECT_EQ(classOf(item(kList)), "ListBox");
    HWND made = CreateWindowA("BUTTON", "b", WS_CHILD, 0, 0, 1, 1, dialog, nullptr, kModule, nullptr);
    HWND custom = CreateWindowA("CustEdit", "c", WS_CHILD, 0, 0, 1, 1, dialog, nullptr, kModule, nullptr);
    EXPECT_EQ(classOf(made), "Button");
    EXPECT_EQ(classOf(custom), "CustEdit");
}

// A DIALOG template holds control ids in 16 bits, so IDC_STATIC (-1) comes
// back as 65535 and GetDlgItem(-1) finds nothing; DIALOGEX keeps 32 bits.
TEST_F(Win32Dialog, StaticIdMinusOneReadsBackAsTheTemplateHoldsIt) {
    HWND label = GetWindow(dialog, GW_CHILD);
    EXPECT_EQ(GetDlgCtrlID(label), 65535);
    EXPECT_EQ(GetWindowLongPtrA(label, GWL_ID), 65535);
    EXPECT_EQ(GetDlgItem(dialog, -1), nullptr);
    EXPECT_EQ(GetDlgItem(dialog, 65535), label);

    ModuleResources extended = testResources();
    extended.dialogs[kDialog].extended = true;
    RegisterModuleResources(kModule, extended);
    HWND second = CreateDialogParamA(kModule, kDialog, nullptr, recordingProc, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetDlgCtrlID(GetWindow(second, GW_CHILD)), -1);
    EXPECT_EQ(GetDlgItem(second, -1), GetWindow(second, GW_CHILD));
    DestroyWindow(second);
}

TEST_F(Win32Dialog, AutoRadioChecksItselfAndUnchecksOnlyItsGroup) {
    SendMessageA(item(kOtherRadio), BM_CLICK, 0, 0);
    SendMessageA(item(kFirstRadio), BM_CLICK, 0, 0);
    SendMessageA(item(kThirdRadio), BM_CLICK, 0, 0);
    EXPECT_EQ(checked(kFirstRadio), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(checked(kSecondRadio), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(checked(kThirdRadio), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(checked(kOtherRadio), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(received.size(), 3u);
}

TEST_F(Win32Dialog, SetCheckTouchesOnlyThatButton) {
    SendMessageA(item(kFirstRadio), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(item(kSecondRadio), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(checked(kFirstRadio), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(checked(kSecondRadio), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_TRUE(received.empty());
}

TEST(Win32Shell, RecordsRequestsInsteadOfLaunching) {
    ClearShellExecuteLog();
    HINSTANCE r = ShellExecuteA(nullptr, "open", "iexplore.exe", "example.org/a", nullptr, SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<std::intptr_t>(r), 32);
    EXPECT_LE(reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, "open", nullptr, nullptr, nullptr, 0)), 32);
    ASSERT_EQ(ShellExecuteLog().size(), 1u);
    const ShellExecuteRecord& rec = ShellExecuteLog()[0];
    EXPECT_EQ(rec.verb, "open");
    EXPECT_EQ(rec.file, "iexplore.exe");
    EXPECT_EQ(rec.parameters, "example.org/a");
    EXPECT_EQ(rec.directory, "");
    EXPECT_EQ(rec.showCommand, SW_SHOWNORMAL);
    ClearShellExecuteLog();
}

}  // namespace
