// A test host for the trellis object's rollup: a host interface with its own
// scene and command panel, the library's resources (resources/trellis.rc)
// under a module handle of the tests, and one trellis object in a node,
// watched by a maker that records the change messages the object sends.
// Tests drive the panel as the host and the user do: BeginEditParams, clicks,
// list selections and the select-by-name dialog's responder.
#pragma once
#include <gtest/gtest.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>
#include "iparamm.h"
#include "max.h"
#include "object/trellis_object.h"
#include "plugin/module_handle.h"
#include "resources/resource.h"

// Records the part ids of the REFMSG_CHANGE messages its target sends.
class ChangeWatcher : public ReferenceMaker {
public:
    explicit ChangeWatcher(ReferenceTarget* target) { MakeRefByID(FOREVER, 0, target); }
    // Only lets go: the watched object belongs to its node.
    ~ChangeWatcher() override { ReplaceReference(0, nullptr, FALSE); }
    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int) override { return watched; }
    void SetReference(int, RefTargetHandle target) override { watched = target; }
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID& partID, RefMessage message) override {
        if (message == REFMSG_CHANGE) changes.push_back(partID);
        return REF_SUCCEED;
    }
    RefTargetHandle watched = nullptr;
    std::vector<PartID> changes;
};

// The library's resources, parsed once and registered under a handle of the tests.
inline HINSTANCE PanelModule() {
    static char tag;
    HINSTANCE module = reinterpret_cast<HINSTANCE>(&tag);
    if (FindModuleResources(module)) return module;
    auto read = [](const char* path) {
        std::ifstream in(std::string(TRELLIS_SOURCE_DIR) + "/" + path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    ModuleResources resources;
    std::string error;
    EXPECT_TRUE(ParseResourceScript(read("resources/trellis.rc"), {read("resources/resource.h")}, resources, error))
        << error;
    RegisterModuleResources(module, resources);
    return module;
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedModule = hInstance;
        hInstance = PanelModule();
        host = std::make_unique<IObjParam>();
        obj = new TrellisObject();
        objNode = scene().CreateNode(obj, "Trellis");
        watcher = std::make_unique<ChangeWatcher>(obj);
        ClearShellExecuteLog();
    }
    void TearDown() override {
        closePanel();
        SetHitByNameResponder(nullptr);
        ClearShellExecuteLog();
        watcher.reset();
        host.reset();
        hInstance = savedModule;
    }

    Scene& scene() { return host->GetScene(); }
    INode* addShape(const std::string& name) { return scene().CreateNode(new SplineShape(), name.c_str()); }
    INode* addMesh(const std::string& name) { return scene().CreateNode(new TriObject(), name.c_str()); }
    std::vector<INode*> addShapes(int count, const std::string& stem = "S") {
        std::vector<INode*> nodes;
        for (int i = 0; i < count; ++i) nodes.push_back(addShape(stem + std::to_string(i + 1)));
        return nodes;
    }
    // Fills slots 1, 2, ... of o directly, as a loaded scene would have them.
    void setSections(const std::vector<INode*>& nodes, TrellisObject* o = nullptr) {
        for (std::size_t i = 0; i < nodes.size(); ++i)
            (o ? o : obj)->ReplaceReference(static_cast<int>(i) + FIRST_SECTION_REF, nodes[i], TRUE);
    }

    void openPanel(TrellisObject* o, ULONG flags = 0) { o->BeginEditParams(host.get(), flags, nullptr); }
    void closePanel() {
        if (TrellisObject::editObject) {
            TrellisObject::editObject->EndEditParams(host.get(), END_EDIT_REMOVEUI, nullptr);
        } else if (TrellisObject::paramMap) {
            DestroyCPParamMap(TrellisObject::paramMap);
            TrellisObject::paramMap = nullptr;
        }
    }
    HWND panel() { return TrellisObject::paramMap ? TrellisObject::paramMap->GetHWnd() : nullptr; }
    HWND control(int id) { return GetDlgItem(panel(), id); }
    void click(int id) { SendMessageA(control(id), BM_CLICK, 0, 0); }
    void select(int entry) { ASSERT_TRUE(ListBoxSelect(control(IDC_SECTION_LIST), entry)); }
    int selection() { return static_cast<int>(SendMessageA(control(IDC_SECTION_LIST), LB_GETCURSEL, 0, 0)); }
    bool enabled(int id) { return IsWindowEnabled(control(id)) != FALSE; }
    bool checked(int id) { return SendMessageA(control(id), BM_GETCHECK, 0, 0) == static_cast<LRESULT>(BST_CHECKED); }

    std::vector<std::string> entries() {
        HWND list = control(IDC_SECTION_LIST);
        std::vector<std::string> out;
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::vector<char> text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1);
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            out.push_back(text.data());
        }
        return out;
    }
    // Names of slots 1 up to the last filled one; "-" marks an empty slot.
    std::vector<std::string> slots(TrellisObject* o = nullptr) {
        TrellisObject* of = o ? o : obj;
        int last = 0;
        for (int i = 0; i < MAX_SECTIONS; ++i)
            if (of->sectionNodes[i]) last = i + 1;
        std::vector<std::string> out;
        for (int i = 0; i < last; ++i) out.push_back(of->sectionNodes[i] ? of->sectionNodes[i]->GetName() : "-");
        return out;
    }
    // Change messages since the last call, by part id.
    std::vector<PartID> takeChanges() {
        std::vector<PartID> out;
        out.swap(watcher->changes);
        return out;
    }

    std::unique_ptr<IObjParam> host;
    TrellisObject* obj = nullptr;
    INode* objNode = nullptr;
    std::unique_ptr<ChangeWatcher> watcher;

private:
    HINSTANCE savedModule = nullptr;
};
