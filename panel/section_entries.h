// What every edit of the section list shares: the list box and its entries'
// text. Every edit ends with the object's NotifyCageEdited.
#pragma once
#include "max.h"

class TrellisObject;

// An entry carries at most 199 characters of the node's name and the terminator.
const int SECTION_NAME_BUFFER = 200;

// The list box of the object's rollup (null before the rollup has opened).
HWND SectionListBox(TrellisObject* obj);
// Appends the node's name as the last entry.
void AddSectionEntry(HWND list, INode* node);
// Inserts the node's name as entry index. Both keep the node as the entry's item data.
void InsertSectionEntry(HWND list, int index, INode* node);
