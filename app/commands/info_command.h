// `trellis info`: what the loaded plug-ins say about themselves.
#pragma once
#include <iosfwd>

class PluginHost;

// Per plug-in file:
//   plugin: PATH
//     description: "TEXT"
//     version: 0x17700D00
//     class: "NAME"
//       category: "CATEGORY"
//       class id: (0x16F73A7F, 0x5F0D3760)
//       super class id: 0x40
// Texts are quoted with their blanks kept; a null text prints as none.
// Returns the exit status.
int runInfo(const PluginHost& plugins, std::ostream& out, std::ostream& err);
