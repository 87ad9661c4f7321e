#include "panel/help_page.h"
#include "max.h"

const char* const TRELLIS_HELP_ADDRESS = "help.gridwork-plugins.example/max4/trellisObject/help.html";

void ShowHelpPage() {
    ShellExecuteA(GetCOREInterface()->GetMAXHWnd(), "open", "iexplore.exe", TRELLIS_HELP_ADDRESS, nullptr,
                  SW_SHOWNORMAL);
}
