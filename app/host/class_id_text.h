// Host identifiers as the program prints them: upper-case hexadecimal.
#pragma once
#include <string>
#include "maxtypes.h"

// "0x40", "0x17700D00".
std::string hexText(ULONG value);
// "(0x16F73A7F, 0x5F0D3760)", as a Class_ID is written in code.
std::string classIdText(const Class_ID& id);
