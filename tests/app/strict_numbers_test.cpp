// Numbers of the command line are decimal and within their int range, and
// a scene file is text through to its end: anything else is refused, never
// read some other way.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "app/scene/scene_file.h"
#include "support/app_test_support.h"

namespace {

using namespace std::string_literals;

// A list of eleven sections S0 .. S10, so that an index read as octal or
// decimal picks different entries.
std::string elevenSections() {
    std::string nodes, sections;
    for (int i = 0; i <= 10; ++i) {
        std::string name = "S" + std::to_string(i);
        nodes += std::string(i ? "," : "") + R"({"name": ")" + name + R"(", "position": [0, 0, )" +
                 std::to_string(10 * i) + R"(], "shape": {"circle": {"radius": 5}}})";
        sections += std::string(i ? "," : "") + "\"" + name + "\"";
    }
    return R"({"nodes": [)" + nodes + R"(], "trellis": [{"name": "T", "sections": [)" + sections + "]}]}";
}

struct NumberFault {
    const char* name;
    std::vector<std::string> args;   // after "build SCENE" or "edit SCENE"
    const char* option;
};
void PrintTo(const NumberFault& c, std::ostream* os) { *os << c.name; }

const NumberFault NUMBER_FAULTS[] = {
    {"TimeOctalLooking", {"build", "--time", "0x10"}, "--time"},
    {"TimeEmpty", {"build", "--time", ""}, "--time"},
    {"TimePlusSign", {"build", "--time", "+5"}, "--time"},
    {"TimeLeadingSpace", {"build", "--time", " 5"}, "--time"},
    {"TimeExponent", {"build", "--time", "1e3"}, "--time"},
    {"TimeBinary", {"build", "--time", "0b11"}, "--time"},
    {"TimePastTheIntRange", {"build", "--time", "2147483648"}, "--time"},
    {"TimeBelowTheIntRange", {"build", "--time", "-2147483649"}, "--time"},
    {"AtWrappingX", {"edit", "--create", "N", "--at", "4294967296,0"}, "--at"},
    {"AtWrappingY", {"edit", "--create", "N", "--at", "0,-4294967297"}, "--at"},
    {"AtHex", {"edit", "--create", "N", "--at", "0x10,0"}, "--at"},
    {"AtThreeNumbers", {"edit", "--create", "N", "--at", "1,2,3"}, "--at"},
    {"AtEmptyY", {"edit", "--create", "N", "--at", "1,"}, "--at"},
    {"RemoveHex", {"edit", "--object", "T", "--remove", "0x1"}, "--remove"},
    {"RemoveEmpty", {"edit", "--object", "T", "--remove", ""}, "--remove"},
    {"UpTrailingText", {"edit", "--object", "T", "--up", "10x"}, "--up"},
    {"DownPastTheIntRange", {"edit", "--object", "T", "--down", "4294967296"}, "--down"},
};

class NumberRefused : public ::testing::TestWithParam<NumberFault> {};

TEST_P(NumberRefused, AsAUsageFault) {
    apptest::TempDir dir;
    std::vector<std::string> args = GetParam().args;
    args.insert(args.begin() + 1, dir.write("scene.json", elevenSections()));
    args.insert(args.end(), {"--json", dir.path("out.json")});
    apptest::RunResult run = apptest::runBinary(dir, args);
    EXPECT_EQ(run.status, EXIT_USAGE_ERROR) << run.err;
    std::string firstLine = run.err.substr(0, run.err.find('\n'));
    EXPECT_EQ(firstLine.rfind(std::string("trellis: error: ") + GetParam().option + ": expected ", 0), 0u) << run.err;
    EXPECT_NE(firstLine.find("-2147483648 to 2147483647"), std::string::npos) << firstLine;
    EXPECT_EQ(run.err.find("\nusage: trellis build SCENE"), firstLine.size()) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(dir.exists("out.json"));
}

INSTANTIATE_TEST_SUITE_P(CommandLine, NumberRefused, ::testing::ValuesIn(NUMBER_FAULTS),
                         [](const ::testing::TestParamInfo<NumberFault>& p) { return std::string(p.param.name); });

// Leading zeros are decimal: 010 is ten, not octal eight.
TEST(DecimalNumbers, LeadingZerosAreDecimal) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", elevenSections());
    apptest::RunResult built = apptest::runBinary(dir, {"build", scene, "--time", "010"});
    ASSERT_EQ(built.status, EXIT_OK) << built.err;
    EXPECT_EQ(built.out.rfind("T at time 10: ", 0), 0u) << built.out;

    apptest::RunResult edited = apptest::runBinary(dir, {"edit", scene, "--object", "T", "--remove", "010"});
    ASSERT_EQ(edited.status, EXIT_OK) << edited.err;
    EXPECT_NE(edited.out.find("8: S8\n9: S9\n"), std::string::npos) << edited.out;
    EXPECT_EQ(edited.out.find("S10"), std::string::npos) << edited.out;

    apptest::RunResult created =
        apptest::runBinary(dir, {"edit", scene, "--create", "N", "--at", "010,-020", "--save", dir.path("out.json")});
    ASSERT_EQ(created.status, EXIT_OK) << created.err;
    EXPECT_EQ(nlohmann::json::parse(dir.read("out.json"))["trellis"][1]["position"], nlohmann::json({10, 20, 0}));
}

TEST(DecimalNumbers, TheEndsOfTheIntRangeAreTaken) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", elevenSections());
    apptest::RunResult built = apptest::runBinary(dir, {"build", scene, "--time", "-2147483648", "--time", "2147483647"});
    ASSERT_EQ(built.status, EXIT_OK) << built.err;
    EXPECT_EQ(built.out.rfind("T at time -2147483648: ", 0), 0u) << built.out;
    EXPECT_NE(built.out.find("T at time 2147483647: "), std::string::npos) << built.out;
}

struct NulCase {
    const char* name;
    std::string text;
    const char* where;   // what the message says of the NUL's place
};
void PrintTo(const NulCase& c, std::ostream* os) { *os << c.name; }

// The JSON reader took a NUL between values for the end of the input and
// built the scene before it, whatever followed.
class NulByte : public ::testing::TestWithParam<NulCase> {};

TEST_P(NulByte, IsASyntaxErrorAtItsPlace) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", GetParam().text);
    std::string expected = "trellis: error: " + scene + ": invalid JSON: parse error at " + GetParam().where + ": NUL byte\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"build", scene, "--json", dir.path("out.json")},
          std::vector<std::string>{"edit", scene, "--create", "N", "--at", "0,0", "--save", dir.path("out.json")}}) {
        apptest::RunResult run = apptest::runBinary(dir, args);
        EXPECT_EQ(run.status, EXIT_INPUT_ERROR) << args[0];
        EXPECT_EQ(run.err, expected) << args[0];
        EXPECT_EQ(run.out, "") << args[0];
        EXPECT_FALSE(dir.exists("out.json")) << args[0];
    }
    EXPECT_THROW(parseScene(GetParam().text), SceneError);
}

INSTANTIATE_TEST_SUITE_P(
    SceneText, NulByte,
    ::testing::Values(NulCase{"AfterTheScene", "{\"nodes\": []}\n\0{\"garbage\""s, "line 2, column 1 (byte offset 14)"},
                      NulCase{"BetweenValues", "{\"nodes\":\n  [\0]}"s, "line 2, column 4 (byte offset 13)"},
                      NulCase{"InAName", "{\"trellis\": [{\"name\": \"T\0\"}]}"s, "line 1, column 25 (byte offset 24)"},
                      NulCase{"First", "\0{}"s, "line 1, column 1 (byte offset 0)"}),
    [](const ::testing::TestParamInfo<NulCase>& p) { return std::string(p.param.name); });

}  // namespace
