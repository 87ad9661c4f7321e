// Readers of the statements of a resource script, each starting at its
// first token and leaving the cursor after its last.
#pragma once
#include <map>
#include <string>
#include "resources/rc_cursor.h"
#include "winres.h"

// A preprocessor line. Strict (the script itself): #define, #undef, #include
// and #pragma are understood and any other directive fails. Lenient (an id
// header): every directive but #define and #undef is ignored.
bool readDirective(RcCursor& cursor, bool strict);

// The #define lines of an id header. The resource compiler reads only the
// preprocessor lines of a header and ignores the C around them; so does
// this, and a define that is not a number (a text macro, a function-like
// macro) is skipped.
void readHeaderDefines(const std::string& header, RcSymbols& symbols);

// Memory and loading flags that older scripts write after a resource type;
// they mean nothing to a loaded module.
void skipMemoryFlags(RcCursor& cursor);

// After the STRINGTABLE keyword.
bool readStringTable(RcCursor& cursor, std::map<int, std::string>& strings);
// After the DIALOG or DIALOGEX keyword.
bool readDialog(RcCursor& cursor, bool extended, DialogTemplate& dialog);
// After the VERSIONINFO keyword.
bool readVersionInfo(RcCursor& cursor, VersionResource& version);
