// STRINGTABLE: numbered strings; an id may appear once in the whole script.
#include "resources/rc_statements.h"

namespace {

// LANGUAGE, CHARACTERISTICS and VERSION may precede a table's block; a
// loaded module keeps one table, so they are read and dropped.
bool skipTableOptions(RcCursor& cursor) {
    uint32_t ignored = 0;
    while (true) {
        if (cursor.acceptKeyword("LANGUAGE")) {
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

bool readStringEntry(RcCursor& cursor, std::map<int, std::string>& strings) {
    int line = cursor.peek().line;
    int id = 0;
    std::string text;
    if (!cursor.readInt(id, 0, 0xFFFF, "string id")) return false;
    cursor.acceptPunct(',');
    if (!cursor.readString(text, "the text of string " + std::to_string(id))) return false;
    if (!strings.emplace(id, text).second)
        return cursor.failAt(line, "string " + std::to_string(id) + " is defined twice");
    return true;
}

}  // namespace

bool readStringTable(RcCursor& cursor, std::map<int, std::string>& strings) {
    int blockLine = cursor.peek().line;
    skipMemoryFlags(cursor);
    if (!skipTableOptions(cursor) || !cursor.readBlockStart("the string table")) return false;
    while (!cursor.atBlockEnd()) {
        if (!cursor.checkBlockContinues(blockLine, "the string table")) return false;
        if (!readStringEntry(cursor, strings)) return false;
    }
    cursor.next();
    return true;
}
