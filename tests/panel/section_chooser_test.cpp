// "Add": the select-by-name dialog with the section chooser, played by a
// responder as the user.
#include "support/panel_fixture.h"

namespace {

typedef std::vector<std::string> Names;

Names namesOf(const std::vector<INode*>& nodes) {
    Names out;
    for (INode* n : nodes) out.push_back(n->GetName());
    return out;
}

class SectionChooserTest : public PanelTest {
protected:
    // The user confirms these nodes, in this order, and the dialog's view is kept.
    void choose(std::vector<INode*> nodes) {
        SetHitByNameResponder([this, nodes](const HitByNameDialogView& view, std::vector<INode*>& chosen) {
            shown = view;
            chosen = nodes;
            return true;
        });
    }
    void cancel() {
        SetHitByNameResponder([this](const HitByNameDialogView& view, std::vector<INode*>&) {
            shown = view;
            return false;
        });
    }
    void expectList(const Names& names) {
        EXPECT_EQ(entries(), names);
        EXPECT_EQ(slots(), names);
        EXPECT_EQ(obj->sectionCount, static_cast<int>(names.size()));
    }
    HitByNameDialogView shown;
};

TEST_F(SectionChooserTest, OffersOnlyFreeVisibleShapesThatDoNotDependOnTheObject) {
    INode* section = addShape("Section");
    setSections({section});
    INode* farSection = addShape("FarSection");
    obj->ReplaceReference(50, farSection, TRUE);  // any slot counts, not only the listed ones
    addMesh("Mesh");
    scene().CreateNode(nullptr, "Empty");
    addShape("Hidden")->Hide(TRUE);
    addShape("Frozen")->Freeze(TRUE);
    // A second trellis that uses this one's node as a section depends on it.
    TrellisObject* dependent = new TrellisObject();
    scene().CreateNode(dependent, "DependentTrellis");
    dependent->ReplaceReference(1, objNode, TRUE);
    addShape("zeta");
    addShape("Alpha");
    addShape("beta");
    openPanel(obj);
    cancel();
    click(IDC_ADD);
    EXPECT_EQ(shown.title, "Select sheath sections");
    EXPECT_EQ(shown.buttonText, "Select");
    EXPECT_FALSE(shown.singleSelect);
    EXPECT_EQ(namesOf(shown.offered), (Names{"Alpha", "beta", "zeta"}));
    EXPECT_TRUE(takeChanges().empty());  // a cancelled dialog changes nothing
}

TEST_F(SectionChooserTest, ChosenNodesFillTheNextSlotsInTheOrderChosen) {
    INode* a = addShape("a");
    INode* b = addShape("b");
    INode* c = addShape("c");
    openPanel(obj);
    takeChanges();
    choose({c, a, b});
    click(IDC_ADD);
    expectList({"c", "a", "b"});
    EXPECT_EQ(takeChanges(), std::vector<PartID>{PART_TOPO});
    EXPECT_EQ(obj->shapeValid, NEVER);
}

TEST_F(SectionChooserTest, ChoicePastTheHundredthSectionIsDropped) {
    std::vector<INode*> sections = addShapes(98);
    setSections(sections);
    INode* x = addShape("x");
    INode* y = addShape("y");
    INode* z = addShape("z");
    openPanel(obj);
    takeChanges();
    choose({x, y, z});
    click(IDC_ADD);
    Names expected = namesOf(sections);
    expected.push_back("x");
    expected.push_back("y");
    expectList(expected);
    EXPECT_EQ(obj->sectionCount, MAX_SECTIONS);
    EXPECT_EQ(takeChanges(), std::vector<PartID>{PART_TOPO});
}

TEST_F(SectionChooserTest, EmptyChoiceStillNotifiesOnce) {
    setSections({addShape("a")});
    openPanel(obj);
    takeChanges();
    choose({});
    click(IDC_ADD);
    expectList({"a"});
    EXPECT_EQ(takeChanges(), std::vector<PartID>{PART_TOPO});
}

TEST_F(SectionChooserTest, NodeThatWasNotOfferedIsRefusedAndNothingChanges) {
    INode* mesh = addMesh("Mesh");
    INode* shape = addShape("Shape");
    openPanel(obj);
    takeChanges();
    choose({shape, mesh});
    click(IDC_ADD);
    expectList({});
    EXPECT_FALSE(HitByNameRefusal().empty());
    EXPECT_TRUE(takeChanges().empty());
}

TEST_F(SectionChooserTest, AddAfterADeletedSectionAppendsBehindTheClosedList) {
    std::vector<INode*> nodes = addShapes(3);
    setSections(nodes);
    openPanel(obj);
    scene().DeleteNode(nodes[1]);
    INode* added = addShape("new");
    choose({added});
    click(IDC_ADD);
    expectList({"S1", "S3", "new"});
}

}  // namespace
