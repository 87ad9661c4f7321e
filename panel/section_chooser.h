// "Add": the host's select-by-name dialog offers the nodes that can become
// sections, and the chosen ones are appended to the section list.
#pragma once
#include "max.h"

class TrellisObject;

class SectionChooser : public HitByNameDlgCallback {
public:
    explicit SectionChooser(TrellisObject* o) : ob(o) {}

    const TCHAR* dialogTitle() override { return "Select sheath sections"; }
    const TCHAR* buttonText() override { return "Select"; }
    BOOL singleSelect() override { return FALSE; }
    BOOL useFilter() override { return TRUE; }
    // Offers shape nodes that are not sections yet and do not depend on the object.
    int filter(INode* node) override;
    BOOL useProc() override { return TRUE; }
    // Appends the chosen nodes in the table's order; those past the
    // hundredth section are dropped.
    void proc(INodeTab& nodeTab) override;
    BOOL doCustomHilite() override { return FALSE; }
    BOOL doHilite(INode*) override { return FALSE; }
    BOOL showHiddenAndFrozen() override { return FALSE; }

    TrellisObject* ob;  // not owned

private:
    bool dependsOnObject(INode* node);
    bool isSection(INode* node);
    bool isShape(INode* node);
};

// The "Add" button: the dialog of the host interface that opened the
// rollup, with a chooser for obj that lives for this one press.
void AddSections(TrellisObject* obj);
