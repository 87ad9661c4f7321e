// Output that cannot be written: every failing step of replacing a file
// leaves the previous file whole and no temporary file behind, and is
// reported, never taken for success.
#include <gtest/gtest.h>
#include <cerrno>
#include "app/output/atomic_write.h"
#include "support/app_test_support.h"

namespace {

const std::string SAMPLE = std::string(TRELLIS_SOURCE_DIR) + "/tests/data/app_two_rims.json";

// Ends the injection however the test ends.
class InjectedReplaceFailure {
public:
    InjectedReplaceFailure(ReplaceStep step, int error) { injectReplaceFailureForTesting(step, error); }
    ~InjectedReplaceFailure() { injectReplaceFailureForTesting(ReplaceStep::Create, 0); }
    InjectedReplaceFailure(const InjectedReplaceFailure&) = delete;
    InjectedReplaceFailure& operator=(const InjectedReplaceFailure&) = delete;
};

struct StepFault {
    const char* name;
    ReplaceStep step;
    int error;
    const char* message;
    // Standard output is written once every file is ready and before any
    // is put in place, so only a failing rename comes after the summary.
    bool afterSummary;
};

const StepFault STEP_FAULTS[] = {
    {"Create", ReplaceStep::Create, EACCES, "cannot create a temporary file in ", false},
    {"Write", ReplaceStep::Write, ENOSPC, "cannot write: No space left on device", false},
    {"Sync", ReplaceStep::Sync, EIO, "cannot write: Input/output error", false},
    {"Close", ReplaceStep::Close, EDQUOT, "cannot write: Disk quota exceeded", false},
    {"Rename", ReplaceStep::Rename, EXDEV, "cannot write: Invalid cross-device link", true},
};

class FailingReplaceStep : public ::testing::TestWithParam<StepFault> {};

TEST_P(FailingReplaceStep, LeavesThePreviousFileAndReportsIt) {
    apptest::TempDir dir;
    std::string out = dir.write("cage.json", "previous");
    InjectedReplaceFailure failure(GetParam().step, GetParam().error);
    apptest::RunResult run = apptest::runInProcess({"build", SAMPLE, "--json", out});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(run.err.rfind("trellis: error: " + out + ": " + GetParam().message, 0), 0u) << run.err;
    EXPECT_EQ(apptest::countLines(run.err), 1) << run.err;
    if (!GetParam().afterSummary) {
        EXPECT_EQ(run.out, "") << "no summary after a failed write";
    }
    EXPECT_EQ(dir.read("cage.json"), "previous");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"cage.json"});
}

INSTANTIATE_TEST_SUITE_P(Steps, FailingReplaceStep, ::testing::ValuesIn(STEP_FAULTS),
                         [](const ::testing::TestParamInfo<StepFault>& fault) { return std::string(fault.param.name); });

// A device is written in place; when it is full, that is an error, also
// reached through a symbolic link, and the link stays a link.
TEST(OutputFault, FullDeviceThroughALinkIsAnError) {
    apptest::TempDir dir;
    std::filesystem::create_symlink("/dev/full", dir.path("cage.json"));
    apptest::RunResult run = apptest::runInProcess({"build", SAMPLE, "--json", dir.path("cage.json")});
    EXPECT_EQ(run.status, EXIT_INPUT_ERROR);
    EXPECT_EQ(run.err, "trellis: error: " + dir.path("cage.json") + ": cannot write: No space left on device\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path("cage.json")));
}

TEST(OutputFault, FullStandardOutputIsAnError) {
    std::ostringstream closed;
    closed.setstate(std::ios::badbit);
    EXPECT_THROW(writeFileAtomically("-", "{}\n", closed), OutputError);
}

// Regression: a link to a file not yet made was replaced by the new file,
// and the link was lost; now the file is made where the link points.
TEST(OutputFault, DanglingLinkGetsItsFileAndStaysALink) {
    apptest::TempDir dir;
    std::filesystem::create_directory(dir.path("results"));
    std::filesystem::create_symlink("results/cage.json", dir.path("link.json"));
    std::ostringstream unused;
    writeFileAtomically(dir.path("link.json"), "new", unused);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link.json")));
    EXPECT_EQ(dir.read("results/cage.json"), "new");
}

TEST(OutputFault, LinkLoopIsAnError) {
    apptest::TempDir dir;
    std::filesystem::create_symlink("b.json", dir.path("a.json"));
    std::filesystem::create_symlink("a.json", dir.path("b.json"));
    std::ostringstream unused;
    EXPECT_THROW(writeFileAtomically(dir.path("a.json"), "x", unused), OutputError);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path("a.json")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path("b.json")));
}

}  // namespace
