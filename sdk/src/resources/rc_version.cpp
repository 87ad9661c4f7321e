// VERSIONINFO: the fixed file and product versions, and the texts of the
// StringFileInfo block.
#include "resources/rc_statements.h"

namespace {

// BLOCK statements nest at most this deep; deeper input is refused rather
// than allowed to exhaust the stack.
const int kMaxBlockDepth = 16;

// FILEVERSION a, b, c, d: up to four 16-bit parts, missing ones 0.
bool readVersionNumber(RcCursor& cursor, WORD (&parts)[4], const std::string& what) {
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && !cursor.acceptPunct(',')) break;
        int part = 0;
        if (!cursor.readInt(part, 0, 0xFFFF, what + " part")) return false;
        parts[i] = static_cast<WORD>(part);
    }
    return true;
}

bool readFixedInfo(RcCursor& cursor, VersionResource& version) {
    static const char* const kIgnored[] = {"FILEFLAGSMASK", "FILEFLAGS", "FILEOS", "FILETYPE", "FILESUBTYPE"};
    while (true) {
        if (cursor.acceptKeyword("FILEVERSION")) {
            if (!readVersionNumber(cursor, version.fileVersion, "file version")) return false;
            continue;
        }
        if (cursor.acceptKeyword("PRODUCTVERSION")) {
            if (!readVersionNumber(cursor, version.productVersion, "product version")) return false;
            continue;
        }
        bool known = false;
        for (const char* keyword : kIgnored) {
            if (!cursor.acceptKeyword(keyword)) continue;
            uint32_t ignored = 0;
            if (!cursor.readValue(ignored, keyword)) return false;
            known = true;
            break;
        }
        if (!known) return true;
    }
}

// Version strings are often written with a terminating "\0" of their own.
std::string withoutTrailingNuls(std::string text) {
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

// VALUE "key", value [, value ...]: values are strings or numbers; inside
// StringFileInfo the first one is the key's text.
bool readValueStatement(RcCursor& cursor, bool inStringFileInfo, VersionResource& version) {
    std::string key;
    if (!cursor.readString(key, "value name")) return false;
    bool first = true;
    while (cursor.acceptPunct(',')) {
        if (cursor.peek().kind == RcTokenKind::String) {
            std::string text = cursor.next().text;
            if (first && inStringFileInfo) version.strings[key] = withoutTrailingNuls(text);
        } else {
            uint32_t ignored = 0;
            if (!cursor.readValue(ignored, "value of " + key)) return false;
        }
        first = false;
    }
    return true;
}

bool readBlockBody(RcCursor& cursor, int depth, bool inStringFileInfo, VersionResource& version);

bool readBlockStatement(RcCursor& cursor, int depth, bool inStringFileInfo, VersionResource& version) {
    if (depth >= kMaxBlockDepth) return cursor.fail("version blocks nested too deeply");
    std::string name;
    if (!cursor.readString(name, "block name")) return false;
    return readBlockBody(cursor, depth + 1, inStringFileInfo || name == "StringFileInfo", version);
}

bool readBlockBody(RcCursor& cursor, int depth, bool inStringFileInfo, VersionResource& version) {
    int blockLine = cursor.peek().line;
    if (!cursor.readBlockStart("the version block")) return false;
    while (!cursor.atBlockEnd()) {
        if (!cursor.checkBlockContinues(blockLine, "the version block")) return false;
        bool ok = false;
        if (cursor.acceptKeyword("BLOCK")) ok = readBlockStatement(cursor, depth, inStringFileInfo, version);
        else if (cursor.acceptKeyword("VALUE")) ok = readValueStatement(cursor, inStringFileInfo, version);
        else return cursor.fail("expected BLOCK or VALUE, found " + DescribeToken(cursor.peek()));
        if (!ok) return false;
    }
    cursor.next();
    return true;
}

}  // namespace

bool readVersionInfo(RcCursor& cursor, VersionResource& version) {
    skipMemoryFlags(cursor);
    return readFixedInfo(cursor, version) && readBlockBody(cursor, 0, false, version);
}
