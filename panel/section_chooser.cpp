#include "panel/section_chooser.h"
#include "object/trellis_object.h"
#include "panel/list_in_step.h"
#include "panel/section_entries.h"

int SectionChooser::filter(INode* node) {
    if (dependsOnObject(node) || isSection(node)) return FALSE;
    return isShape(node) ? TRUE : FALSE;
}

// The host marks everything that depends on the object, the object's own
// node among them: such a node as a section would make a cycle.
bool SectionChooser::dependsOnObject(INode* node) {
    node->ClearAFlag(A_DEPENDENCY_TEST);
    ob->NotifyDependents(FOREVER, 0, REFMSG_TEST_DEPENDENCY, NOTIFY_ALL, TRUE, nullptr);
    return node->TestAFlag(A_DEPENDENCY_TEST) != FALSE;
}

// All hundred slots count, not only the first sectionCount.
bool SectionChooser::isSection(INode* node) {
    for (INode* section : ob->sectionNodes)
        if (section == node) return true;
    return false;
}

bool SectionChooser::isShape(INode* node) {
    IObjParam* ip = TrellisObject::editInterface ? TrellisObject::editInterface : GetCOREInterface();
    ObjectState os = node->EvalWorldState(ip->GetTime(), TRUE);
    return os.obj && os.obj->SuperClassID() == SHAPE_CLASS_ID;
}

namespace {

// 0 when all hundred slots are filled.
int lowestEmptySlot(TrellisObject* obj) {
    for (int i = 0; i < MAX_SECTIONS; ++i)
        if (!obj->sectionNodes[i]) return FIRST_SECTION_REF + i;
    return 0;
}

}  // namespace

// A hole left by a deleted section is closed first, so the lowest empty
// slot is the one behind the last entry and each new entry lines up with it.
void SectionChooser::proc(INodeTab& nodeTab) {
    BringListInStep(ob);
    HWND list = SectionListBox(ob);
    for (int i = 0; i < nodeTab.Count(); ++i) {
        INode* node = nodeTab[i];
        const int slot = lowestEmptySlot(ob);
        if (!node || !slot) continue;
        ob->ReplaceReference(slot, node, TRUE);
        AddSectionEntry(list, node);
        ++ob->sectionCount;
    }
    ob->NotifyCageEdited();
}

void AddSections(TrellisObject* obj) {
    if (!TrellisObject::editInterface) return;
    SectionChooser chooser(obj);
    TrellisObject::editInterface->DoHitByNameDialog(&chooser);
}
