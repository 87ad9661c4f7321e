// The plug-in's string resources.
#pragma once

// String resource id through one shared static buffer of 256 characters.
// Null before the library's entry point has run or for a missing string.
// Every call overwrites the previous text: copy it at once.
const char* GetString(int id);
