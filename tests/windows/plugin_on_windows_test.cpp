// The built trellisObject.dlo on Windows: loaded by the system loader, its
// resources read by user32, its rollup made of real dialogs, list boxes and
// buttons, and its help page opened through shell32.
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>
#include <gtest/gtest.h>
#include "createmode.h"
#include "hitbyname.h"
#include "max.h"
#include "object/itrellis_cage.h"
#include "plugapi.h"
#include "resources/resource.h"
#include "splshape.h"
#include "win32.h"

namespace {

std::unique_ptr<PluginLibrary> loadTrellisPlugin() {
    std::string error;
    std::unique_ptr<PluginLibrary> library = PluginLibrary::Load(DefaultPluginFolder() + "\\trellisObject.dlo", error);
    EXPECT_NE(library, nullptr) << error;
    return library;
}

std::string moduleString(HINSTANCE module, UINT id) {
    char text[256] = {};
    const int length = LoadStringA(module, id, text, static_cast<int>(sizeof text));
    return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string windowText(HWND hwnd) {
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1);
    GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::string className(HWND hwnd) {
    char name[32] = {};
    GetClassNameA(hwnd, name, static_cast<int>(sizeof name));
    return name;
}

TEST(WindowsPlugin, LoadsAndListsItsClass) {
    auto library = loadTrellisPlugin();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->Description(), " Gridwork library ");
    EXPECT_EQ(library->Version(), 0x17700D00ul);
    ASSERT_EQ(library->NumClasses(), 1);
    ClassDesc* desc = library->ClassDescAt(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_STREQ(desc->ClassName(), "TrellisObj");
    EXPECT_STREQ(desc->Category(), "Razazodod");
    EXPECT_EQ(desc->ClassID(), Class_ID(0x16F73A7F, 0x5F0D3760));
}

// The strings the descriptor shows come from the compiled string table.
TEST(WindowsPlugin, StringTableHoldsTheThreeStrings) {
    auto library = loadTrellisPlugin();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(moduleString(library->Module(), IDS_PARAMETERS), "Parameters");
    EXPECT_EQ(moduleString(library->Module(), IDS_CATEGORY), "Razazodod");
    EXPECT_EQ(moduleString(library->Module(), IDS_CLASS_NAME), "TrellisObj");
}

// A host with a scene of shapes and one trellis object created by a click,
// its rollup open; the user's clicks are real messages to real controls.
class WindowsPanel : public ::testing::Test {
protected:
    void SetUp() override {
        library = loadTrellisPlugin();
        ASSERT_NE(library, nullptr);
        for (const char* name : {"S1", "S2", "S3"})
            shapes.push_back(host.GetScene().CreateNode(new SplineShape(), name));
        ViewExp viewport;
        std::string error;
        node = CreateByClick(&host, library->ClassDescAt(0), &viewport, IPoint2(10, 10), error);
        ASSERT_NE(node, nullptr) << error;
        for (const RollupPage& page : host.GetRollups())
            if (GetDlgItem(page.hwnd, IDC_SECTION_LIST)) rollup = page.hwnd;
        ASSERT_NE(rollup, nullptr);
    }
    void TearDown() override { SetHitByNameResponder(nullptr); }

    HWND control(int id) { return GetDlgItem(rollup, id); }
    bool enabled(int id) { return IsWindowEnabled(control(id)) != FALSE; }
    // A user clicks only what is enabled.
    void click(int id) {
        ASSERT_TRUE(enabled(id)) << id;
        SendMessageA(control(id), BM_CLICK, 0, 0);
    }
    // A user's click on an entry: it is selected and the list box tells its parent.
    void select(int entry) {
        HWND list = control(IDC_SECTION_LIST);
        ASSERT_NE(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(entry), 0), LB_ERR);
        SendMessageA(rollup, WM_COMMAND, MAKEWPARAM(IDC_SECTION_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    void addThroughChooser(const std::vector<std::string>& names) {
        SetHitByNameResponder([names](const HitByNameDialogView& view, std::vector<INode*>& chosen) {
            for (const std::string& name : names)
                for (INode* offered : view.offered)
                    if (name == offered->GetName()) chosen.push_back(offered);
            return true;
        });
        click(IDC_ADD);
    }
    std::vector<std::string> entries() {
        HWND list = control(IDC_SECTION_LIST);
        std::vector<std::string> out;
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::vector<char> text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1);
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
            out.push_back(text.data());
        }
        return out;
    }
    // The section slots of the object, read through its references.
    std::vector<std::string> slots() {
        ReferenceTarget* object = node->GetObjectRef();
        std::vector<std::string> out;
        for (int i = 0; i < MAX_SECTIONS; ++i) {
            auto* section = static_cast<INode*>(object->GetReference(FIRST_SECTION_REF + i));
            if (section) out.push_back(section->GetName());
        }
        return out;
    }

    // The library goes last: the host's windows and scene still run its code.
    std::unique_ptr<PluginLibrary> library;
    IObjParam host;
    std::vector<INode*> shapes;
    INode* node = nullptr;
    HWND rollup = nullptr;
};

TEST_F(WindowsPanel, RollupComesFromDialog120WithEveryControl) {
    for (int id : {IDC_LINEAR, IDC_SMOOTH, IDC_BEZIER, IDC_BEZIER_CORNER})
        EXPECT_EQ(className(control(id)), "Button") << id;
    EXPECT_NE(GetWindowLongPtrA(control(IDC_LINEAR), GWL_STYLE) & WS_GROUP, 0);
    EXPECT_EQ(className(control(IDC_SECTION_LIST)), "ListBox");
    EXPECT_NE(GetWindowLongPtrA(control(IDC_SECTION_LIST), GWL_STYLE) & LBS_NOTIFY, 0);
    const std::vector<std::pair<int, std::string>> buttons = {
        {IDC_ADD, "Add"}, {IDC_REMOVE, "Remove"}, {IDC_UP, "Up"}, {IDC_DOWN, "Down"}, {IDC_HELP_BUTTON, "Help"}};
    for (const auto& [id, caption] : buttons) {
        EXPECT_EQ(className(control(id)), "Button") << id;
        EXPECT_EQ(windowText(control(id)), caption);
    }
}

TEST_F(WindowsPanel, CreationEnablesTheFourListButtons) {
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN}) EXPECT_TRUE(enabled(id)) << id;
    EXPECT_TRUE(enabled(IDC_HELP_BUTTON));
}

// The same clicks give the same list as the stand-in's controls do.
TEST_F(WindowsPanel, AddRemoveUpDownActOnTheRealListBox) {
    addThroughChooser({"S1", "S2", "S3"});
    EXPECT_EQ(entries(), (std::vector<std::string>{"S1", "S2", "S3"}));
    EXPECT_EQ(slots(), (std::vector<std::string>{"S1", "S2", "S3"}));
    select(2);
    click(IDC_UP);
    EXPECT_EQ(entries(), (std::vector<std::string>{"S1", "S3", "S2"}));
    EXPECT_EQ(slots(), entries());
    select(0);
    click(IDC_DOWN);
    EXPECT_EQ(entries(), (std::vector<std::string>{"S3", "S1", "S2"}));
    EXPECT_EQ(slots(), entries());
    select(1);
    click(IDC_REMOVE);
    EXPECT_EQ(entries(), (std::vector<std::string>{"S3", "S2"}));
    EXPECT_EQ(slots(), entries());
    EXPECT_EQ(SendMessageA(control(IDC_SECTION_LIST), LB_SETCURSEL, 5, 0), LB_ERR);
}

// The places where real Win32 differs from what a user's click would
// suggest, which the stand-in and the program follow: BM_CLICK acts on a
// disabled button, and a DIALOG template's IDC_STATIC reads back as 65535.
TEST_F(WindowsPanel, ClickOnADisabledButtonStillReachesThePanel) {
    addThroughChooser({"S1", "S2"});
    select(0);
    EnableWindow(control(IDC_REMOVE), FALSE);
    SendMessageA(control(IDC_REMOVE), BM_CLICK, 0, 0);
    EXPECT_EQ(entries(), (std::vector<std::string>{"S2"}));
    HWND firstGroup = GetWindow(rollup, GW_CHILD);
    EXPECT_EQ(GetDlgCtrlID(firstGroup), 65535);
    EXPECT_EQ(GetDlgItem(rollup, -1), nullptr);
}

// The user's click on a list entry, as the program makes it: only where a
// user could click, and the panel hears of it.
TEST_F(WindowsPanel, ListEntryClickSelectsOnlyWhatAUserCouldClick) {
    addThroughChooser({"S1", "S2", "S3"});
    HWND list = control(IDC_SECTION_LIST);
    EXPECT_FALSE(ListBoxSelect(list, 3));
    EXPECT_FALSE(ListBoxSelect(control(IDC_UP), 0));
    ASSERT_TRUE(ListBoxSelect(list, 2));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EnableWindow(list, FALSE);
    EXPECT_FALSE(ListBoxSelect(list, 0));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
}

// The notifications the rollup's dialog receives, recorded on the way to
// the panel's procedure.
std::vector<std::pair<int, int>> rollupCommands;
WNDPROC rollupProc = nullptr;
LRESULT CALLBACK recordCommands(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) rollupCommands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return CallWindowProcA(rollupProc, hwnd, msg, wParam, lParam);
}

// A button's click takes the focus from the list box, which first tells
// the panel LBN_KILLFOCUS; the panel looks at the control id alone, so the
// click acts as without it (and the stand-in need not send it).
TEST_F(WindowsPanel, ListLosingTheFocusToAButtonChangesNothing) {
    addThroughChooser({"S1", "S2", "S3"});
    select(2);
    SetFocus(control(IDC_SECTION_LIST));
    if (GetFocus() != control(IDC_SECTION_LIST)) GTEST_SKIP() << "the list box takes no focus here";
    rollupCommands.clear();
    rollupProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(rollup, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordCommands)));
    click(IDC_UP);
    SetWindowLongPtrA(rollup, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(rollupProc));
    const std::vector<std::pair<int, int>> expected = {{IDC_SECTION_LIST, LBN_KILLFOCUS}, {IDC_UP, BN_CLICKED}};
    EXPECT_EQ(rollupCommands, expected);
    EXPECT_EQ(entries(), (std::vector<std::string>{"S1", "S3", "S2"}));
    EXPECT_EQ(slots(), entries());
}

// Help goes through the shell to the program named iexplore.exe: the
// recording one, put where the shell looks first (the wine prefix's system
// folder; the runner makes wine prefer it to its own).
TEST_F(WindowsPanel, HelpReachesTheProgramTheShellFinds) {
    char system[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryA(system, MAX_PATH), 0u);
    ASSERT_TRUE(CopyFileA("iexplore.exe", (std::string(system) + "\\iexplore.exe").c_str(), FALSE));
    const std::string record = "help-record.txt";
    DeleteFileA(record.c_str());
    SetEnvironmentVariableA("TRELLIS_HELP_RECORD", record.c_str());
    click(IDC_HELP_BUTTON);
    std::string text;
    for (int wait = 0; wait < 200 && text.find('\n') == std::string::npos; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(record, std::ios::binary);
        std::ostringstream read;
        read << in.rdbuf();
        text = read.str();
    }
    EXPECT_EQ(text, "help.gridwork-plugins.example/max4/trellisObject/help.html\n");
}

}  // namespace
