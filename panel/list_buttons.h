// The list buttons of the rollup: "Add", "Remove", "Up" and "Down", which
// are enabled and disabled together ("Help" never is).
#pragma once
#include "max.h"

void EnableListButtons(HWND panel, BOOL enable);
