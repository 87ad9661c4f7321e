// The product's help page, opened in the user's web browser.
#pragma once

// The help site's page, passed to the browser as its parameter, without a scheme.
extern const char* const TRELLIS_HELP_ADDRESS;

// Asks the shell to open the page with Internet Explorer over the host's
// main window; whether it opens is not looked at.
void ShowHelpPage();
