// DIALOG and DIALOGEX: the dialog's frame, its options, and its controls in
// resource order.
#include <cctype>
#include "resources/rc_statements.h"

namespace {

// Dialog units are 16-bit in a dialog template; ids are 16-bit, with -1 for
// controls nobody addresses.
const int kCoordMin = -32768;
const int kCoordMax = 32767;
const int kControlIdMin = -1;
const int kControlIdMax = 0xFFFF;

struct ControlKeyword {
    const char* keyword;
    const char* windowClass;
    DWORD style;  // implied by the keyword, OR'd with the written style
    bool hasText;
};

const ControlKeyword kControlKeywords[] = {
    {"GROUPBOX", "BUTTON", BS_GROUPBOX, true},
    {"LTEXT", "STATIC", SS_LEFT | WS_GROUP, true},
    {"CTEXT", "STATIC", SS_CENTER | WS_GROUP, true},
    {"RTEXT", "STATIC", SS_RIGHT | WS_GROUP, true},
    {"PUSHBUTTON", "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
    {"LISTBOX", "LISTBOX", LBS_NOTIFY | WS_BORDER, false},
};

const char* const kControlClasses[] = {"BUTTON", "STATIC", "LISTBOX"};

std::string upperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool readRect(RcCursor& cursor, int& x, int& y, int& cx, int& cy, const std::string& what) {
    return cursor.readInt(x, kCoordMin, kCoordMax, what + " x") && cursor.expectPunct(',', "after x") &&
           cursor.readInt(y, kCoordMin, kCoordMax, what + " y") && cursor.expectPunct(',', "after y") &&
           cursor.readInt(cx, kCoordMin, kCoordMax, what + " width") && cursor.expectPunct(',', "after the width") &&
           cursor.readInt(cy, kCoordMin, kCoordMax, what + " height");
}

// Trailing numbers the template does not keep (extended style, help id).
bool skipTrailingValues(RcCursor& cursor, int count) {
    uint32_t ignored = 0;
    for (int i = 0; i < count && cursor.acceptPunct(','); ++i)
        if (!cursor.readValue(ignored, "extended style or help id")) return false;
    return true;
}

// GROUPBOX "text", id, x, y, cx, cy [, style [, exstyle [, helpid]]], and
// the same without text for LISTBOX.
bool readKeywordControl(RcCursor& cursor, const ControlKeyword& keyword, DialogControl& control) {
    control.windowClass = keyword.windowClass;
    control.style = WS_CHILD | WS_VISIBLE | keyword.style;
    if (keyword.hasText &&
        (!cursor.readString(control.caption, "control text") || !cursor.expectPunct(',', "after the control text")))
        return false;
    if (!cursor.readInt(control.id, kControlIdMin, kControlIdMax, "control id") ||
        !cursor.expectPunct(',', "after the control id") ||
        !readRect(cursor, control.x, control.y, control.cx, control.cy, "control"))
        return false;
    if (cursor.acceptPunct(',') && !cursor.readStyle(control.style, control.style, "control style")) return false;
    return skipTrailingValues(cursor, 2);
}

bool readControlClass(RcCursor& cursor, std::string& windowClass) {
    int line = cursor.peek().line;
    std::string written;
    if (!cursor.readString(written, "control class")) return false;
    windowClass = upperCase(written);
    for (const char* known : kControlClasses)
        if (windowClass == known) return true;
    return cursor.failAt(line, "unsupported control class \"" + written + "\"");
}

// CONTROL "text", id, "class", style, x, y, cx, cy [, exstyle [, helpid]]
bool readGenericControl(RcCursor& cursor, DialogControl& control) {
    control.style = WS_CHILD | WS_VISIBLE;
    return cursor.readString(control.caption, "control text") && cursor.expectPunct(',', "after the control text") &&
           cursor.readInt(control.id, kControlIdMin, kControlIdMax, "control id") &&
           cursor.expectPunct(',', "after the control id") && readControlClass(cursor, control.windowClass) &&
           cursor.expectPunct(',', "after the control class") &&
           cursor.readStyle(control.style, control.style, "control style") &&
           cursor.expectPunct(',', "after the control style") &&
           readRect(cursor, control.x, control.y, control.cx, control.cy, "control") && skipTrailingValues(cursor, 2);
}

bool readControl(RcCursor& cursor, DialogControl& control) {
    if (cursor.acceptKeyword("CONTROL")) return readGenericControl(cursor, control);
    for (const ControlKeyword& keyword : kControlKeywords)
        if (cursor.acceptKeyword(keyword.keyword)) return readKeywordControl(cursor, keyword, control);
    return cursor.fail("expected a control, found " + DescribeToken(cursor.peek()));
}

bool readFont(RcCursor& cursor, DialogTemplate& dialog, bool extended) {
    if (!cursor.readInt(dialog.fontSize, 1, 0xFFFF, "font size") || !cursor.expectPunct(',', "after the font size") ||
        !cursor.readString(dialog.fontName, "font name"))
        return false;
    dialog.style |= DS_SETFONT;
    return !extended || skipTrailingValues(cursor, 3);  // weight, italic, character set
}

// The statements between the dialog's frame and its block.
bool readDialogOptions(RcCursor& cursor, DialogTemplate& dialog, bool extended) {
    uint32_t ignored = 0;
    DWORD exStyle = 0;
    while (true) {
        if (cursor.acceptKeyword("STYLE")) {
            DWORD font = dialog.style & DS_SETFONT;
            if (!cursor.readStyle(0, dialog.style, "dialog style")) return false;
            dialog.style |= font;
        } else if (cursor.acceptKeyword("EXSTYLE")) {
            if (!cursor.readStyle(0, exStyle, "extended dialog style")) return false;
        } else if (cursor.acceptKeyword("CAPTION")) {
            if (!cursor.readString(dialog.caption, "dialog caption")) return false;
        } else if (cursor.acceptKeyword("FONT")) {
            if (!readFont(cursor, dialog, extended)) return false;
        } else if (cursor.acceptKeyword("LANGUAGE")) {
            if (!cursor.readValue(ignored, "language") || !cursor.expectPunct(',', "after the language") ||
                !cursor.readValue(ignored, "sublanguage"))
                return false;
        } else if (cursor.acceptKeyword("CHARACTERISTICS") || cursor.acceptKeyword("VERSION")) {
            if (!cursor.readValue(ignored, "option value")) return false;
        } else {
            return true;
        }
    }
}

}  // namespace

// The style of a dialog without STYLE is the resource compiler's default.
bool readDialog(RcCursor& cursor, bool extended, DialogTemplate& dialog) {
    int blockLine = cursor.peek().line;
    dialog.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
    dialog.extended = extended;
    skipMemoryFlags(cursor);
    if (!readRect(cursor, dialog.x, dialog.y, dialog.cx, dialog.cy, "dialog")) return false;
    if (extended && !skipTrailingValues(cursor, 1)) return false;  // help id
    if (!readDialogOptions(cursor, dialog, extended) || !cursor.readBlockStart("the dialog's controls")) return false;
    while (!cursor.atBlockEnd()) {
        if (!cursor.checkBlockContinues(blockLine, "dialog " + std::to_string(dialog.id))) return false;
        DialogControl control;
        if (!readControl(cursor, control)) return false;
        dialog.controls.push_back(control);
    }
    cursor.next();
    return true;
}
