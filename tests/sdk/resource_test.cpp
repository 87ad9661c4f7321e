// The resource script reader, on the plug-in's own script and on scripts
// written to probe one rule each; and the string loader over its records.
#include <cstring>
#include <iterator>
#include <random>
#include <gtest/gtest.h>
#include "support/plugin_static_module.h"
#include "resources/resource.h"
#include "winmodule.h"
#include "winres.h"

namespace {

const DWORD kChildVisible = WS_CHILD | WS_VISIBLE;

ModuleResources parseOrFail(const std::string& script, const std::vector<std::string>& headers = {}) {
    ModuleResources resources;
    std::string error;
    EXPECT_TRUE(ParseResourceScript(script, headers, resources, error)) << error;
    return resources;
}

ModuleResources parseTrellisScript() {
    return parseOrFail(ReadSourceFile("resources/trellis.rc"), {ReadSourceFile("resources/resource.h")});
}

// One control in a dialog 1, for the style and class rules.
DialogControl parseOneControl(const std::string& controlLine) {
    ModuleResources resources = parseOrFail("1 DIALOG 0, 0, 10, 10\nBEGIN\n" + controlLine + "\nEND\n");
    if (resources.dialogs.count(1) == 0 || resources.dialogs[1].controls.size() != 1) {
        ADD_FAILURE() << "no single control in: " << controlLine;
        return DialogControl();
    }
    return resources.dialogs[1].controls[0];
}

// --- The plug-in's script -------------------------------------------------

TEST(TrellisResourceScript, RollupDialogFrame) {
    ModuleResources resources = parseTrellisScript();
    ASSERT_EQ(resources.dialogs.count(IDD_TRELLIS_PANEL), 1u);
    const DialogTemplate& dialog = resources.dialogs[IDD_TRELLIS_PANEL];
    EXPECT_EQ(dialog.style, DS_SETFONT | WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(dialog.caption, "");
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 108);
    EXPECT_EQ(dialog.cy, 326);
    EXPECT_EQ(dialog.fontName, "MS Sans Serif");
    EXPECT_EQ(dialog.fontSize, 8);
    EXPECT_EQ(resources.dialogs.size(), 1u);
}

struct ExpectedControl {
    const char* name;
    int id;
    const char* windowClass;
    const char* caption;  // null: any text (the credit lines)
    int x, y, cx, cy;
    DWORD style;  // exactly
};

const DWORD kStatic = kChildVisible | SS_CENTER | WS_GROUP;
const DWORD kRadio = kChildVisible | BS_AUTORADIOBUTTON;
const DWORD kButton = kChildVisible | BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kGroup = kChildVisible | BS_GROUPBOX;

// The rollup's controls in resource order.
const ExpectedControl kRollupControls[] = {
    {"SplineOptionsGroup", -1, "BUTTON", "Spline Options", 5, 149, 99, 67, kGroup},
    {"AboutGroup", -1, "BUTTON", "About", 5, 221, 99, 94, kGroup},
    {"PluginName", -1, "STATIC", "Trellis Object", 13, 235, 79, 9, kStatic},
    {"VersionLine", -1, "STATIC", "Ver. 1.3 for Max 4.0", 13, 244, 79, 9, kStatic},
    {"Credit1", -1, "STATIC", nullptr, 8, 259, 93, 9, kStatic},
    {"Credit2", -1, "STATIC", nullptr, 8, 269, 93, 9, kStatic},
    {"Credit3", -1, "STATIC", nullptr, 8, 279, 93, 9, kStatic},
    {"Linear", IDC_LINEAR, "BUTTON", "Linear", 24, 162, 54, 12, kRadio | WS_GROUP | WS_TABSTOP},
    {"Smooth", IDC_SMOOTH, "BUTTON", "Smooth", 24, 173, 53, 12, kRadio},
    {"Bezier", IDC_BEZIER, "BUTTON", "Bezier", 24, 184, 50, 12, kRadio},
    {"BezierCorner", IDC_BEZIER_CORNER, "BUTTON", "Bezier Corner", 24, 195, 62, 12, kRadio},
    {"SheathListGroup", -1, "BUTTON", "Sheath List", 5, 8, 99, 138, kGroup},
    {"SectionList", IDC_SECTION_LIST, "LISTBOX", "", 12, 17, 86, 75,
     kChildVisible | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {"Add", IDC_ADD, "BUTTON", "Add", 18, 96, 74, 12, kButton},
    {"Remove", IDC_REMOVE, "BUTTON", "Remove", 18, 111, 74, 12, kButton},
    {"Up", IDC_UP, "BUTTON", "Up", 18, 126, 33, 12, kButton},
    {"Down", IDC_DOWN, "BUTTON", "Down", 57, 126, 33, 12, kButton},
    {"Help", IDC_HELP_BUTTON, "BUTTON", "Help", 15, 292, 74, 12, kButton},
};

class RollupControlTest : public ::testing::TestWithParam<size_t> {};

TEST_P(RollupControlTest, MatchesTheRollupTable) {
    static const ModuleResources resources = parseTrellisScript();
    const auto& controls = resources.dialogs.at(IDD_TRELLIS_PANEL).controls;
    ASSERT_EQ(controls.size(), std::size(kRollupControls));
    const ExpectedControl& expected = kRollupControls[GetParam()];
    const DialogControl& control = controls[GetParam()];
    EXPECT_EQ(control.id, expected.id);
    EXPECT_EQ(control.windowClass, expected.windowClass);
    if (expected.caption) EXPECT_EQ(control.caption, expected.caption);
    else EXPECT_FALSE(control.caption.empty());
    EXPECT_EQ(control.x, expected.x);
    EXPECT_EQ(control.y, expected.y);
    EXPECT_EQ(control.cx, expected.cx);
    EXPECT_EQ(control.cy, expected.cy);
    EXPECT_EQ(control.style, expected.style) << std::hex << control.style;
}

INSTANTIATE_TEST_SUITE_P(Rollup, RollupControlTest, ::testing::Range<size_t>(0, std::size(kRollupControls)),
                         [](const ::testing::TestParamInfo<size_t>& testCase) {
                             return std::string(kRollupControls[testCase.param].name);
                         });

// The panel keeps list entry i for slot i + 1: a sorting or multi-select
// list box would break that.
TEST(TrellisResourceScript, SectionListIsSingleSelectionAndUnsorted) {
    ModuleResources resources = parseTrellisScript();
    for (const DialogControl& control : resources.dialogs[IDD_TRELLIS_PANEL].controls) {
        if (control.id != IDC_SECTION_LIST) continue;
        EXPECT_EQ(control.style & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_NOSEL), 0u);
        return;
    }
    FAIL() << "no section list";
}

TEST(TrellisResourceScript, StringTableHoldsExactlyThePluginStrings) {
    ModuleResources resources = parseTrellisScript();
    std::map<int, std::string> expected = {
        {IDS_PARAMETERS, "Parameters"}, {IDS_CATEGORY, "Razazodod"}, {IDS_CLASS_NAME, "TrellisObj"}};
    EXPECT_EQ(resources.strings, expected);
    EXPECT_EQ(IDS_PARAMETERS, 40038);
    EXPECT_EQ(IDS_CATEGORY, 40260);
    EXPECT_EQ(IDS_CLASS_NAME, 40269);
}

TEST(TrellisResourceScript, VersionIs1001) {
    ModuleResources resources = parseTrellisScript();
    const VersionResource& version = resources.version;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(version.fileVersion[i], i == 0 || i == 3 ? 1 : 0) << i;
        EXPECT_EQ(version.productVersion[i], version.fileVersion[i]) << i;
    }
    EXPECT_EQ(version.strings.at("FileVersion"), "1.0.0.1");
    EXPECT_EQ(version.strings.at("ProductVersion"), "1.0.0.1");
    EXPECT_EQ(version.strings.at("InternalName"), "trellisObject");
    EXPECT_EQ(version.strings.at("OriginalFilename"), "trellisObject.dlo");
    EXPECT_FALSE(version.strings.at("FileDescription").empty());
    EXPECT_FALSE(version.strings.at("ProductName").empty());
}

// --- Control keywords and styles ------------------------------------------

struct StyleCase {
    const char* name;
    const char* line;
    const char* windowClass;
    DWORD style;
};

class ControlStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(ControlStyleTest, KeywordStyleIsOredWithTheWrittenOne) {
    DialogControl control = parseOneControl(GetParam().line);
    EXPECT_EQ(control.windowClass, GetParam().windowClass);
    EXPECT_EQ(control.style, GetParam().style) << std::hex << control.style;
}

const StyleCase kStyleCases[] = {
    {"GroupBox", "GROUPBOX \"g\", -1, 1, 2, 3, 4", "BUTTON", kChildVisible | BS_GROUPBOX},
    {"LeftText", "LTEXT \"t\", -1, 1, 2, 3, 4", "STATIC", kChildVisible | SS_LEFT | WS_GROUP},
    {"CentredText", "CTEXT \"t\", -1, 1, 2, 3, 4", "STATIC", kChildVisible | SS_CENTER | WS_GROUP},
    {"RightText", "RTEXT \"t\", -1, 1, 2, 3, 4", "STATIC", kChildVisible | SS_RIGHT | WS_GROUP},
    {"PushButton", "PUSHBUTTON \"b\", 7, 1, 2, 3, 4", "BUTTON", kChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
    {"DefaultButton", "DEFPUSHBUTTON \"b\", 7, 1, 2, 3, 4", "BUTTON",
     kChildVisible | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"ListBoxDefault", "LISTBOX 7, 1, 2, 3, 4", "LISTBOX", kChildVisible | LBS_NOTIFY | WS_BORDER},
    {"ListBoxStyled", "LISTBOX 7, 1, 2, 3, 4, LBS_SORT | WS_VSCROLL", "LISTBOX",
     kChildVisible | LBS_NOTIFY | WS_BORDER | LBS_SORT | WS_VSCROLL},
    {"NotClearsImpliedBits", "PUSHBUTTON \"b\", 7, 1, 2, 3, 4, NOT WS_TABSTOP", "BUTTON",
     kChildVisible | BS_PUSHBUTTON},
    {"NotThenSetLeftToRight", "LTEXT \"t\", -1, 1, 2, 3, 4, NOT WS_VISIBLE | WS_DISABLED", "STATIC",
     WS_CHILD | SS_LEFT | WS_GROUP | WS_DISABLED},
    {"ControlButton", "CONTROL \"r\", 7, \"Button\", BS_AUTORADIOBUTTON, 1, 2, 3, 4", "BUTTON",
     kChildVisible | BS_AUTORADIOBUTTON},
    {"ControlClassAnyCase", "CONTROL \"s\", -1, \"sTaTiC\", SS_CENTER, 1, 2, 3, 4", "STATIC",
     kChildVisible | SS_CENTER},
    {"ControlListBox", "CONTROL \"\", 7, \"ListBox\", LBS_NOTIFY, 1, 2, 3, 4", "LISTBOX", kChildVisible | LBS_NOTIFY},
    {"HexAndParentheses", "CONTROL \"x\", 7, \"Button\", (0x10 + 0x20) & ~0x10, 1, 2, 3, 4", "BUTTON",
     kChildVisible | 0x20},
    {"ExtendedStyleIgnored", "PUSHBUTTON \"b\", 7, 1, 2, 3, 4, WS_GROUP, 0x200", "BUTTON",
     kChildVisible | BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP},
};

INSTANTIATE_TEST_SUITE_P(Keywords, ControlStyleTest, ::testing::ValuesIn(kStyleCases),
                         [](const ::testing::TestParamInfo<StyleCase>& testCase) {
                             return std::string(testCase.param.name);
                         });

TEST(ResourceScript, ControlFieldsInOrder) {
    DialogControl control = parseOneControl("CONTROL \"Go \"\"now\"\"\", 1 + 2, \"Button\", 0, -5, 6, 70, 8");
    EXPECT_EQ(control.caption, "Go \"now\"");
    EXPECT_EQ(control.id, 3);
    EXPECT_EQ(control.x, -5);
    EXPECT_EQ(control.y, 6);
    EXPECT_EQ(control.cx, 70);
    EXPECT_EQ(control.cy, 8);
}

TEST(ResourceScript, DialogWithoutStyleGetsThePopupDefault) {
    ModuleResources resources = parseOrFail("5 DIALOGEX DISCARDABLE 1, 2, 3, 4, 99\nCAPTION \"Title\"\n{\n}\n");
    const DialogTemplate& dialog = resources.dialogs.at(5);
    EXPECT_EQ(dialog.style, WS_POPUP | WS_BORDER | WS_SYSMENU);
    EXPECT_EQ(dialog.caption, "Title");
    EXPECT_TRUE(dialog.controls.empty());
    EXPECT_TRUE(dialog.extended) << "DIALOGEX keeps 32-bit control ids";
    EXPECT_FALSE(parseOrFail("5 DIALOG 1, 2, 3, 4\n{\n}\n").dialogs.at(5).extended);
}

// --- Names and preprocessor lines ----------------------------------------

TEST(ResourceScript, NamesComeFromHeadersAndTheScript) {
    const std::string header =
        "#pragma once\n#ifndef A\n#define A (10)\n#endif\n#define B A + 1 // eleven\n"
        "#define TEXT \"not a number\"\n#define F(x) x\nint ignoredDeclaration;\n#define LONG_ONE \\\n  0x20\n";
    const std::string script =
        "#include \"ids.h\"\n#define C (B | LONG_ONE)\n#undef A\n#define A 99\n"
        "STRINGTABLE\nBEGIN\n  A \"a\"\n  B, \"b\"\n  C L\"c\"\nEND\n";
    ModuleResources resources = parseOrFail(script, {header});
    std::map<int, std::string> expected = {{99, "a"}, {11, "b"}, {11 | 0x20, "c"}};
    EXPECT_EQ(resources.strings, expected);
}

TEST(ResourceScript, StringEscapes) {
    ModuleResources resources = parseOrFail("STRINGTABLE { 1 \"tab\\tnew\\nquote\\\"back\\\\\" }");
    EXPECT_EQ(resources.strings.at(1), "tab\tnew\nquote\"back\\");
}

// --- Malformed scripts ------------------------------------------------------

struct MalformedCase {
    const char* name;
    const char* script;
    int line;
    const char* fragment;
};

class MalformedScriptTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedScriptTest, FailsNamingTheLine) {
    ModuleResources resources;
    resources.strings[1] = "kept";
    std::string error;
    EXPECT_FALSE(ParseResourceScript(GetParam().script, {}, resources, error));
    EXPECT_EQ(error.rfind("line " + std::to_string(GetParam().line) + ": ", 0), 0u) << error;
    EXPECT_NE(error.find(GetParam().fragment), std::string::npos) << error;
    EXPECT_EQ(resources.strings.size(), 1u) << "a failed parse must leave the records alone";
}

const MalformedCase kMalformedCases[] = {
    {"UnterminatedString", "STRINGTABLE\nBEGIN\n 1 \"open\nEND\n", 3, "unterminated string"},
    {"UnterminatedComment", "// fine\n/* never\nclosed", 2, "unterminated comment"},
    {"MissingEnd", "1 DIALOG 0, 0, 1, 1\nBEGIN\n LTEXT \"a\", -1, 0, 0, 1, 1\n", 4, "missing END"},
    {"UnknownName", "\n1 DIALOG 0, 0, 1, 1\nSTYLE WS_CHILD | WS_NOSUCH\nBEGIN\nEND\n", 3, "WS_NOSUCH"},
    {"UnknownControlClass", "1 DIALOG 0,0,1,1\nBEGIN\n CONTROL \"\", 1, \"Edit\", 0, 0, 0, 1, 1\nEND", 3, "Edit"},
    {"UnknownControlKeyword", "1 DIALOG 0,0,1,1\nBEGIN\n\n EDITTEXT 1, 0, 0, 1, 1\nEND", 4, "EDITTEXT"},
    {"DuplicateString", "STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n", 4, "twice"},
    {"DuplicateDialog", "1 DIALOG 0,0,1,1 BEGIN END\n1 DIALOG 0,0,1,1 BEGIN END\n", 2, "twice"},
    {"ConditionalDirective", "\n#ifdef SOMETHING\n", 2, "#ifdef"},
    {"NumberTooLarge", "STRINGTABLE { 0x100000000 \"a\" }", 1, "too large"},
    {"StringIdTooLarge", "STRINGTABLE {\n 70000 \"a\" }", 2, "outside"},
    {"CoordinateOutOfRange", "1 DIALOG 0, 0, 40000, 1 BEGIN END", 1, "outside"},
    {"MissingComma", "1 DIALOG 0, 0 1, 1 BEGIN END", 1, "expected ','"},
    {"UnexpectedCharacter", "STRINGTABLE { 1 \"a\" ; }", 1, "';'"},
    {"NamedResource", "\n\nMYDIALOG DIALOG 0, 0, 1, 1 BEGIN END", 3, "MYDIALOG"},
    {"UnsupportedType", "1 ICON \"app.ico\"", 1, "ICON"},
    {"SecondVersion", "1 VERSIONINFO BEGIN END\n1 VERSIONINFO BEGIN END", 2, "second version"},
    {"ValueOutsideBlock", "1 VERSIONINFO\nBEGIN\n FILEVERSION 1\nEND", 3, "BLOCK or VALUE"},
    {"StrayEnd", "END", 1, "'END'"},
    {"EmptyParenthesis", "STRINGTABLE { ( ) \"a\" }", 1, "expected string id"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, MalformedScriptTest, ::testing::ValuesIn(kMalformedCases),
                         [](const ::testing::TestParamInfo<MalformedCase>& testCase) {
                             return std::string(testCase.param.name);
                         });

// Deep nesting must be refused, not followed until the stack runs out.
TEST(ResourceScript, DeepNestingIsRefused) {
    std::string parens = "STRINGTABLE { " + std::string(100000, '(') + "1" + std::string(100000, ')') + " \"a\" }";
    std::string minus = "STRINGTABLE { " + std::string(100000, '-') + "1 \"a\" }";
    std::string blocks = "1 VERSIONINFO BEGIN ";
    for (int i = 0; i < 10000; ++i) blocks += "BLOCK \"b\" BEGIN ";
    for (const std::string& script : {parens, minus, blocks}) {
        ModuleResources resources;
        std::string error;
        EXPECT_FALSE(ParseResourceScript(script, {}, resources, error));
        EXPECT_NE(error.find("too deeply"), std::string::npos) << error;
    }
}

// Damaged copies of the real script: every cut and a run of random byte
// changes either parse or fail with a line number; none may crash.
TEST(ResourceScript, DamagedScriptsFailCleanly) {
    const std::string script = ReadSourceFile("resources/trellis.rc");
    const std::string header = ReadSourceFile("resources/resource.h");
    auto check = [&](const std::string& text) {
        ModuleResources resources;
        std::string error;
        if (!ParseResourceScript(text, {header}, resources, error)) {
            EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
        }
    };
    for (size_t cut = 0; cut < script.size(); cut += 7) check(script.substr(0, cut));
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        std::string damaged = script;
        for (int change = 0; change < 4; ++change)
            damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
        check(damaged);
    }
}

// --- LoadStringA ----------------------------------------------------------

class LoadStringTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModuleResources resources;
        resources.strings[7] = "TrellisObj";
        RegisterModuleResources(module(), resources);
    }
    void TearDown() override { UnregisterModuleResources(module()); }
    static HINSTANCE module() {
        static char tag;
        return reinterpret_cast<HINSTANCE>(&tag);
    }
};

TEST_F(LoadStringTest, CopiesWholeStringWithTerminator) {
    char buffer[16];
    EXPECT_EQ(LoadStringA(module(), 7, buffer, 16), 10);
    EXPECT_STREQ(buffer, "TrellisObj");
}

TEST_F(LoadStringTest, TruncatesToBufferMaxMinusOne) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(LoadStringA(module(), 7, buffer, 5), 4);
    EXPECT_STREQ(buffer, "Trel");
    EXPECT_EQ(buffer[5], 'x');
    EXPECT_EQ(LoadStringA(module(), 7, buffer, 1), 0);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(LoadStringTest, AnswersZeroAndLeavesBufferWhenNothingToLoad) {
    char buffer[8] = "same";
    static char otherTag;
    EXPECT_EQ(LoadStringA(module(), 8, buffer, 8), 0);
    EXPECT_EQ(LoadStringA(reinterpret_cast<HINSTANCE>(&otherTag), 7, buffer, 8), 0);
    EXPECT_EQ(LoadStringA(nullptr, 7, buffer, 8), 0);
    EXPECT_EQ(LoadStringA(module(), 7, buffer, 0), 0);
    EXPECT_EQ(LoadStringA(module(), 7, nullptr, 8), 0);
    EXPECT_STREQ(buffer, "same");
}

}  // namespace
