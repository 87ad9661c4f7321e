// The stand-in's select-by-name dialog: what it offers, how the responder's
// choice reaches the callback, and which choices it refuses.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "max.h"

namespace {

typedef std::vector<std::string> Names;

Names namesOf(const std::vector<INode*>& nodes) {
    Names out;
    for (INode* n : nodes) out.push_back(n->GetName());
    return out;
}

// A callback whose answers the test sets; it records what the dialog asks.
class ProbeCallback : public HitByNameDlgCallback {
public:
    const TCHAR* dialogTitle() override { return "Pick"; }
    const TCHAR* buttonText() override { return "Take"; }
    BOOL singleSelect() override { return single; }
    BOOL useFilter() override { return filtering; }
    int filter(INode* node) override {
        filtered.push_back(node->GetName());
        return std::string(node->GetName()) != "refused";
    }
    BOOL useProc() override { return TRUE; }
    void proc(INodeTab& nodes) override {
        ++procCalls;
        for (int i = 0; i < nodes.Count(); ++i) handed.push_back(nodes[i]->GetName());
    }
    BOOL doCustomHilite() override { return TRUE; }
    BOOL doHilite(INode* node) override { return std::string(node->GetName()) == "b"; }
    BOOL showHiddenAndFrozen() override { return hiddenToo; }

    BOOL single = FALSE, filtering = TRUE, hiddenToo = FALSE;
    Names filtered, handed;
    int procCalls = 0;
};

class HitByName : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"c", "B", "refused", "a"}) scene.CreateNode(nullptr, name);
        scene.CreateNode(nullptr, "hidden")->Hide(TRUE);
        scene.CreateNode(nullptr, "frozen")->Freeze(TRUE);
    }
    void TearDown() override { SetHitByNameResponder(nullptr); }
    // The user chooses these names (in this order) and confirms.
    void choose(const Names& names) {
        SetHitByNameResponder([this, names](const HitByNameDialogView& v, std::vector<INode*>& chosen) {
            view = v;
            for (const std::string& n : names) chosen.push_back(scene.FindNode(n.c_str()));
            return true;
        });
    }
    Scene scene;
    ProbeCallback cb;
    HitByNameDialogView view;
};

TEST_F(HitByName, OffersVisibleFilteredNodesByNameAndHandsOverTheChoiceInOrder) {
    choose({"c", "a"});
    EXPECT_EQ(RunHitByNameDialog(scene, &cb), TRUE);
    EXPECT_EQ(view.title, "Pick");
    EXPECT_EQ(view.buttonText, "Take");
    EXPECT_EQ(namesOf(view.offered), (Names{"a", "B", "c"}));
    EXPECT_EQ(view.highlighted, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(cb.filtered, (Names{"c", "B", "refused", "a"}));  // hidden and frozen are never asked
    EXPECT_EQ(cb.handed, (Names{"c", "a"}));
    EXPECT_TRUE(HitByNameRefusal().empty());
}

TEST_F(HitByName, WithoutFilterAndWithHiddenAndFrozenEveryNodeIsOffered) {
    cb.filtering = FALSE;
    cb.hiddenToo = TRUE;
    choose({});
    EXPECT_EQ(RunHitByNameDialog(scene, &cb), TRUE);
    EXPECT_TRUE(cb.filtered.empty());
    EXPECT_EQ(namesOf(view.offered), (Names{"a", "B", "c", "frozen", "hidden", "refused"}));
    EXPECT_EQ(cb.procCalls, 1);
}

struct RefusedCase {
    const char* name;
    BOOL single;
    Names chosen;
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedChoice : public HitByName, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedChoice, CallsNothingAndAnswersFalseWithAReason) {
    cb.single = GetParam().single;
    choose(GetParam().chosen);
    EXPECT_EQ(RunHitByNameDialog(scene, &cb), FALSE);
    EXPECT_EQ(cb.procCalls, 0);
    EXPECT_FALSE(HitByNameRefusal().empty());
}

INSTANTIATE_TEST_SUITE_P(Stand, RefusedChoice,
                         ::testing::Values(RefusedCase{"FilteredOut", FALSE, {"a", "refused"}},
                                           RefusedCase{"Hidden", FALSE, {"hidden"}},
                                           RefusedCase{"ChosenTwice", FALSE, {"a", "a"}},
                                           RefusedCase{"TwoForSingleSelect", TRUE, {"a", "c"}}),
                         [](const ::testing::TestParamInfo<RefusedCase>& c) { return std::string(c.param.name); });

TEST_F(HitByName, CancelOrNoResponderCallsNothing) {
    EXPECT_EQ(RunHitByNameDialog(scene, &cb), FALSE);
    SetHitByNameResponder([](const HitByNameDialogView&, std::vector<INode*>& chosen) {
        chosen.push_back(nullptr);
        return false;
    });
    EXPECT_EQ(RunHitByNameDialog(scene, &cb), FALSE);
    EXPECT_EQ(cb.procCalls, 0);
    EXPECT_TRUE(HitByNameRefusal().empty());
}

TEST_F(HitByName, HostInterfaceRunsTheDialogOverItsOwnScene) {
    IObjParam host;
    host.GetScene().CreateNode(nullptr, "own");
    choose({});
    EXPECT_EQ(host.DoHitByNameDialog(&cb), TRUE);
    EXPECT_EQ(namesOf(view.offered), Names{"own"});
}

}  // namespace
