// The command line: usage faults exit 2 with a message and a usage hint,
// help exits 0, and the summary reports each object at each time.
#include <gtest/gtest.h>
#include "support/app_test_support.h"
#include "max.h"

namespace {

struct UsageFault {
    const char* name;
    std::vector<std::string> args;
};

const UsageFault USAGE_FAULTS[] = {
    {"NoCommand", {}},
    {"UnknownCommand", {"frobnicate"}},
    {"UnknownTopLevelOption", {"--bogus"}},
    {"BuildWithoutScene", {"build"}},
    {"UnknownBuildOption", {"build", "s.json", "--bogus"}},
    {"TimeWithoutValue", {"build", "s.json", "--time"}},
    {"TimeNotInteger", {"build", "s.json", "--time", "1.5"}},
    {"TimeOutOfRange", {"build", "s.json", "--time", "99999999999"}},
    {"TwoTimesInOneOption", {"build", "s.json", "--time", "0", "4800"}},
    {"JsonWithoutPath", {"build", "s.json", "--json"}},
    {"DeleteWithoutName", {"build", "s.json", "--delete"}},
    {"TwoScenes", {"build", "a.json", "b.json"}},
    {"DemoWithArgument", {"demo", "extra"}},
};

class UsageError : public ::testing::TestWithParam<UsageFault> {};

TEST_P(UsageError, ExitsTwoWithMessageAndHint) {
    apptest::RunResult run = apptest::runInProcess(GetParam().args);
    EXPECT_EQ(run.status, EXIT_USAGE_ERROR) << run.err;
    EXPECT_EQ(run.err.rfind("trellis: error: ", 0), 0u) << run.err;
    std::string firstLine = run.err.substr(0, run.err.find('\n'));
    EXPECT_GT(firstLine.size(), std::string("trellis: error: ").size()) << "the message says what is wrong";
    EXPECT_NE(run.err.find("\nusage: trellis build SCENE"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Faults, UsageError, ::testing::ValuesIn(USAGE_FAULTS),
                         [](const ::testing::TestParamInfo<UsageFault>& fault) { return std::string(fault.param.name); });

TEST(Cli, UnknownCommandIsNamed) {
    EXPECT_EQ(apptest::runInProcess({"frobnicate"}).err.rfind("trellis: error: unknown command \"frobnicate\"\n", 0), 0u);
}

TEST(Cli, HelpExitsZero) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--help"}, std::vector<std::string>{"build", "--help"}}) {
        apptest::RunResult run = apptest::runInProcess(args);
        EXPECT_EQ(run.status, EXIT_OK) << args.size();
        EXPECT_NE(run.out.find("Usage:"), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "");
    }
}

TEST(Cli, SummaryCountsFilledSlotsAtEachTime) {
    apptest::TempDir dir;
    std::string scene = dir.write("s.json", R"({"time": 96,
        "nodes": [{"name": "A", "shape": {"splines": [{"knots": [{"point": [0, 0, 0]}, {"point": [1, 0, 0]}]}]}}],
        "trellis": [{"name": "Empty"}, {"name": "Gapped", "sections": ["A", null, null, "A"]}]})");
    apptest::RunResult run = apptest::runInProcess({"build", scene});
    ASSERT_EQ(run.status, EXIT_OK) << run.err;
    EXPECT_EQ(run.out.rfind("Empty at time 96: 0 sections, 0 splines, 0 knots\nGapped at time 96: 2 sections, ", 0), 0u)
        << run.out;
    run = apptest::runInProcess({"build", scene, "--time", "-5", "--time", "7"});
    ASSERT_EQ(run.status, EXIT_OK) << run.err;
    EXPECT_EQ(apptest::countLines(run.out), 4);
    EXPECT_NE(run.out.find("Gapped at time -5: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Empty at time 7: "), std::string::npos) << run.out;
}

// Building must not leave the host's current time changed for whoever runs next.
TEST(Cli, BuildRestoresTheHostTime) {
    apptest::TempDir dir;
    std::string scene = dir.write("s.json", R"({"trellis": [{"name": "C"}]})");
    GetCOREInterface()->SetTime(123);
    ASSERT_EQ(apptest::runInProcess({"build", scene, "--time", "4800"}).status, EXIT_OK);
    EXPECT_EQ(GetCOREInterface()->GetTime(), 123);
    GetCOREInterface()->SetTime(0);
}

}  // namespace
