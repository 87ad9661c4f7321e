// Resource ids of the plug-in: the rollup dialog, its controls, and strings.
#pragma once

#define IDD_TRELLIS_PANEL 120

#define IDC_LINEAR 1023
#define IDC_SMOOTH 1024
#define IDC_BEZIER 1025
#define IDC_BEZIER_CORNER 1026
#define IDC_SECTION_LIST 1032
#define IDC_ADD 1269
#define IDC_REMOVE 1270
#define IDC_UP 1271
#define IDC_DOWN 1272
#define IDC_HELP_BUTTON 1273

#define IDS_PARAMETERS 40038
#define IDS_CATEGORY 40260
#define IDS_CLASS_NAME 40269

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
