// The stand-in's create mode for one-click objects: what the object's
// creation callback hears and what becomes of the object after its answers.
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>
#include "createmode.h"
#include "max.h"
#include "plugapi.h"

namespace {

struct Heard {
    int msg;
    int point;
    IPoint2 m;
};

// An object whose callback answers from a script, one answer per event.
class ProbeObject : public Object {
public:
    explicit ProbeObject(std::vector<std::string>* journal) : log(journal) {
        SetAFlag(A_OBJ_CREATING);
        callback.log = journal;
    }
    ~ProbeObject() override { log->push_back("deleted"); }
    ObjectState Eval(TimeValue) override { return ObjectState(this); }
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    void InitNodeName(TSTR& s) override { s = "Probe"; }
    void BeginEditParams(IObjParam*, ULONG flags, Animatable*) override {
        log->push_back("begin " + std::to_string(flags));
    }
    void EndEditParams(IObjParam*, ULONG flags, Animatable*) override {
        log->push_back("end " + std::to_string(flags));
    }
    CreateMouseCallBack* GetCreateMouseCallBack() override { return &callback; }

    class Script : public CreateMouseCallBack {
    public:
        int proc(ViewExp*, int msg, int point, int, IPoint2 m, Matrix3& mat) override {
            heard.push_back({msg, point, m});
            log->push_back("heard " + std::to_string(msg));
            mat.SetTrans(Point3(1.0f, 2.0f, 3.0f));
            const int answer = answers.empty() ? CREATE_CONTINUE : answers.front();
            if (!answers.empty()) answers.erase(answers.begin());
            return answer;
        }
        std::vector<int> answers;
        std::vector<Heard> heard;
        std::vector<std::string>* log = nullptr;
    } callback;
    std::vector<std::string>* log;
};

class ProbeDesc : public ClassDesc {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override {
        made = new ProbeObject(&log);
        made->callback.answers = answers;
        return static_cast<Animatable*>(made);
    }
    const TCHAR* ClassName() override { return "Probe"; }
    SClass_ID SuperClassID() override { return GEOMOBJECT_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x7E57, 1); }
    const TCHAR* Category() override { return "Tests"; }
    std::vector<int> answers;
    ProbeObject* made = nullptr;
    std::vector<std::string> log;
};

TEST(CreateByClick, StopOnThePressPlacesANumberedNodeAndLeavesTheRollupOpen) {
    ProbeDesc desc;  // outlives the host, whose scene deletes the object
    IObjParam host;
    host.GetScene().CreateNode(nullptr, "Probe01");
    desc.answers = {CREATE_CONTINUE, CREATE_STOP};
    ViewExp vpt;
    std::string error;
    INode* node = CreateByClick(&host, &desc, &vpt, IPoint2(7, 9), error);
    ASSERT_NE(node, nullptr) << error;
    EXPECT_STREQ(node->GetName(), "Probe02");
    EXPECT_EQ(node->GetObjectRef(), desc.made);
    EXPECT_EQ(node->GetNodeTM(0).GetTrans(), Point3(1.0f, 2.0f, 3.0f));
    EXPECT_FALSE(desc.made->TestAFlag(A_OBJ_CREATING));
    EXPECT_EQ(desc.log, (std::vector<std::string>{"begin 1", "heard 6", "heard 1"}));
    const std::vector<Heard>& heard = desc.made->callback.heard;
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].msg, MOUSE_FREEMOVE);
    EXPECT_EQ(heard[1].msg, MOUSE_POINT);
    EXPECT_EQ(heard[1].point, 0);
    EXPECT_EQ(heard[1].m.x, 7);
    EXPECT_EQ(heard[1].m.y, 9);
}

struct FailedCase {
    const char* name;
    std::vector<int> answers;
    std::vector<std::string> log;
};
void PrintTo(const FailedCase& c, std::ostream* os) { *os << c.name; }

class CreateByClickFails : public ::testing::TestWithParam<FailedCase> {};

// The object closes its rollup before it is deleted, so no panel keeps it.
TEST_P(CreateByClickFails, ClosesTheRollupDeletesTheObjectAndMakesNoNode) {
    ProbeDesc desc;
    IObjParam host;
    desc.answers = GetParam().answers;
    ViewExp vpt;
    std::string error;
    EXPECT_EQ(CreateByClick(&host, &desc, &vpt, IPoint2(0, 0), error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(desc.log, GetParam().log);
    EXPECT_EQ(host.GetScene().NodeCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Stand, CreateByClickFails,
                         ::testing::Values(FailedCase{"AbortOnFreeMove",
                                                      {CREATE_ABORT},
                                                      {"begin 1", "heard 6", "end 1", "deleted"}},
                                           FailedCase{"AbortOnPress",
                                                      {CREATE_CONTINUE, CREATE_ABORT},
                                                      {"begin 1", "heard 6", "heard 1", "end 1", "deleted"}},
                                           FailedCase{"WantsMoreClicks",
                                                      {CREATE_CONTINUE, CREATE_CONTINUE},
                                                      {"begin 1", "heard 6", "heard 1", "end 1", "deleted"}}),
                         [](const ::testing::TestParamInfo<FailedCase>& c) { return std::string(c.param.name); });

}  // namespace
