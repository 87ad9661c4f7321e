// Reads a resource script into the records a loaded module keeps: its
// string table, its dialog templates and its version block.
#include "winres.h"
#include "resources/rc_statements.h"

namespace {

bool readLanguage(RcCursor& cursor) {
    uint32_t ignored = 0;
    return cursor.readValue(ignored, "language") && cursor.expectPunct(',', "after the language") &&
           cursor.readValue(ignored, "sublanguage");
}

// A resource's name: one number or one defined name. Named (string)
// resources are not kept by the stand-in.
bool readResourceId(RcCursor& cursor, int& id) {
    const RcToken& token = cursor.peek();
    uint32_t value = token.number;
    if (token.kind == RcTokenKind::Name && !cursor.names().find(token.text, value))
        return cursor.fail("unknown resource name '" + token.text + "' (only numbered resources are supported)");
    if (token.kind != RcTokenKind::Name && token.kind != RcTokenKind::Number)
        return cursor.fail("expected a resource statement, found " + DescribeToken(token));
    if (value < 1 || value > 0xFFFF)
        return cursor.fail("resource id " + std::to_string(value) + " is outside 1 .. 65535");
    cursor.next();
    id = static_cast<int>(value);
    return true;
}

bool readDialogResource(RcCursor& cursor, int id, bool extended, ModuleResources& resources) {
    int line = cursor.peek().line;
    DialogTemplate dialog;
    dialog.id = id;
    if (!readDialog(cursor, extended, dialog)) return false;
    if (!resources.dialogs.emplace(id, dialog).second)
        return cursor.failAt(line, "dialog " + std::to_string(id) + " is defined twice");
    return true;
}

bool readVersionResource(RcCursor& cursor, bool& seen, ModuleResources& resources) {
    if (seen) return cursor.fail("a second version resource");
    seen = true;
    return readVersionInfo(cursor, resources.version);
}

// "id TYPE ..." statements.
bool readNumberedResource(RcCursor& cursor, bool& versionSeen, ModuleResources& resources) {
    int id = 0;
    if (!readResourceId(cursor, id)) return false;
    if (cursor.acceptKeyword("DIALOG")) return readDialogResource(cursor, id, false, resources);
    if (cursor.acceptKeyword("DIALOGEX")) return readDialogResource(cursor, id, true, resources);
    if (cursor.acceptKeyword("VERSIONINFO")) return readVersionResource(cursor, versionSeen, resources);
    return cursor.fail("unsupported resource type " + DescribeToken(cursor.peek()));
}

bool readStatements(RcCursor& cursor, ModuleResources& resources) {
    bool versionSeen = false;
    while (!cursor.atEnd()) {
        bool ok = false;
        if (cursor.peek().kind == RcTokenKind::Directive) ok = readDirective(cursor, true);
        else if (cursor.acceptKeyword("LANGUAGE")) ok = readLanguage(cursor);
        else if (cursor.acceptKeyword("STRINGTABLE")) ok = readStringTable(cursor, resources.strings);
        else ok = readNumberedResource(cursor, versionSeen, resources);
        if (!ok) return false;
    }
    return true;
}

}  // namespace

bool ParseResourceScript(const std::string& script, const std::vector<std::string>& headers,
                         ModuleResources& out, std::string& error) {
    RcSymbols symbols;
    for (const std::string& header : headers) readHeaderDefines(header, symbols);
    std::vector<RcToken> tokens;
    if (!TokenizeResourceScript(script, tokens, error)) return false;
    RcCursor cursor(tokens, symbols);
    ModuleResources parsed;
    if (!readStatements(cursor, parsed)) {
        error = cursor.error();
        return false;
    }
    out = std::move(parsed);
    return true;
}
