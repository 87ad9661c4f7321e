// A scene file may leave section slots empty between filled ones. The list
// shows the filled ones in order, and every button acts on the entry the
// list shows at the index given; a cage whose slot 1 is empty says why it
// is empty.
#include <gtest/gtest.h>
#include "support/app_test_support.h"

namespace {

// Slots [empty, A, empty, B, C]: four-knot squares stacked along Z.
std::string holeyScene() {
    std::string nodes;
    const char* names[] = {"A", "B", "C", "D"};
    for (int i = 0; i < 4; ++i)
        nodes += std::string(i ? ", " : "") + "{\"name\": \"" + names[i] + "\", \"position\": [0, 0, " +
                 std::to_string(10 * i) + "], \"shape\": {\"rectangle\": {\"length\": 4, \"width\": 4}}}";
    return "{\"nodes\": [" + nodes +
           "], \"trellis\": [{\"name\": \"Cage\", \"sections\": [null, \"A\", null, \"B\", \"C\"]}]}";
}

struct HoleCase {
    const char* name;
    std::vector<std::string> args;
    const char* list;   // as the command prints it afterwards
};
void PrintTo(const HoleCase& c, std::ostream* os) { *os << c.name; }

class ButtonsOnAHoleyList : public ::testing::TestWithParam<HoleCase> {};

TEST_P(ButtonsOnAHoleyList, ActOnTheEntryTheListShows) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", holeyScene());
    std::vector<std::string> args{"edit", scene, "--object", "Cage"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    apptest::RunResult run = apptest::runBinary(dir, args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().list);
}

const HoleCase HOLE_CASES[] = {
    {"Opened", {}, "0: A\n1: B\n2: C\n"},
    {"RemoveMiddle", {"--remove", "1"}, "0: A\n1: C\n"},
    {"RemoveTop", {"--remove", "0"}, "0: B\n1: C\n"},
    {"UpLast", {"--up", "2"}, "0: A\n1: C\n2: B\n"},
    {"DownTop", {"--down", "0"}, "0: B\n1: A\n2: C\n"},
    {"AddGoesLast", {"--add", "D"}, "0: A\n1: B\n2: C\n3: D\n"},
};
INSTANTIATE_TEST_SUITE_P(Holes, ButtonsOnAHoleyList, ::testing::ValuesIn(HOLE_CASES),
                         [](const ::testing::TestParamInfo<HoleCase>& c) { return std::string(c.param.name); });

// The closed list is what the object holds: saved and built again, its
// slots are the list's, and slot 1 filled makes the cage.
TEST(HoleyList, SavedSlotsAreTheListAsShown) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", holeyScene());
    apptest::RunResult edit = apptest::runBinary(
        dir, {"edit", scene, "--object", "Cage", "--add", "D", "--save", dir.path("edited.json")});
    ASSERT_EQ(edit.status, 0) << edit.err;
    EXPECT_NE(dir.read("edited.json").find("\"A\",\n        \"B\",\n        \"C\",\n        \"D\""), std::string::npos)
        << dir.read("edited.json");
    apptest::RunResult build = apptest::runBinary(dir, {"build", dir.path("edited.json")});
    EXPECT_EQ(build.out.rfind("Cage at time 0: 4 sections, 8 splines, ", 0), 0u) << build.out;
}

TEST(HoleyList, EmptyFirstSlotIsSaidInsteadOfCountingSections) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", holeyScene());
    apptest::RunResult run = apptest::runBinary(dir, {"build", scene, "--report"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Cage at time 0: slot 1 is empty, 0 splines, 0 knots\n"
              "Cage at time 0: slot 1 is empty, nothing gathered or joined\n");
}

}  // namespace
