// A run writes all of its outputs or none of them: a failing output, a
// failing standard output, a signal or a file-size limit leaves every
// output file as it was and no temporary file behind; and two names of one
// file are refused before anything is written.
#include <gtest/gtest.h>
#include <csignal>
#include <chrono>
#include <thread>
#include <fcntl.h>
#include <sys/stat.h>
#include "support/app_test_support.h"

namespace {

const std::string SAMPLE = std::string(TRELLIS_SOURCE_DIR) + "/tests/data/app_two_rims.json";

// Names in the folder that look like the program's temporary files.
std::vector<std::string> temporaryFiles(const apptest::TempDir& dir) {
    std::vector<std::string> found;
    for (const std::string& name : dir.entries())
        if (name.size() > 1 && name[0] == '.') found.push_back(name);
    return found;
}

struct Exit {
    int status = -1;   // exit status, or -1 when a signal ended the process
    int signal = 0;
};

// The built program with standard output on `stdoutFd` (and standard
// error on /dev/null), started from `dir`; waits for it unless told not to.
pid_t startBinary(const apptest::TempDir& dir, const std::vector<std::string>& args, int stdoutFd) {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(stdoutFd, 1);
        int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, 2);
        if (::chdir(dir.path("").c_str()) != 0) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(TRELLIS_BINARY)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::signal(SIGPIPE, SIG_DFL);
        ::execv(TRELLIS_BINARY, argv.data());
        ::_exit(127);
    }
    return pid;
}

Exit waitFor(pid_t pid) {
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    Exit exit;
    if (WIFEXITED(raw)) exit.status = WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) exit.signal = WTERMSIG(raw);
    return exit;
}

// --- A failing output leaves the others as they were -----------------------

TEST(AllOrNothing, FailingSecondOutputLeavesTheFirstAsItWas) {
    apptest::TempDir dir;
    dir.write("cage.json", "previous");
    apptest::RunResult run =
        apptest::runBinary(dir, {"build", SAMPLE, "--json", dir.path("cage.json"), "--svg", dir.path("absent/cage.svg")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(dir.path("absent/cage.svg") + ": cannot create a temporary file"), std::string::npos) << run.err;
    EXPECT_EQ(dir.read("cage.json"), "previous");
    EXPECT_EQ(temporaryFiles(dir), std::vector<std::string>{});
}

// A device is written after every file is ready and before any is put in place.
TEST(AllOrNothing, FullDeviceAfterAFileLeavesTheFileAsItWas) {
    apptest::TempDir dir;
    dir.write("cage.json", "previous");
    apptest::RunResult run = apptest::runBinary(dir, {"build", SAMPLE, "--json", dir.path("cage.json"), "--obj", "/dev/full"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("/dev/full: cannot write: No space left on device"), std::string::npos) << run.err;
    EXPECT_EQ(dir.read("cage.json"), "previous");
    EXPECT_EQ(run.out, "") << "nothing printed before the device failed";
}

TEST(AllOrNothing, FailingStandardOutputLeavesTheFilesAsTheyWere) {
    apptest::TempDir dir;
    dir.write("cage.json", "previous");
    int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    Exit exit = waitFor(startBinary(dir, {"build", SAMPLE, "--json", dir.path("cage.json")}, full));
    ::close(full);
    EXPECT_EQ(exit.status, 1) << "the summary could not be printed";
    EXPECT_EQ(dir.read("cage.json"), "previous");
    EXPECT_EQ(temporaryFiles(dir), std::vector<std::string>{});
}

TEST(AllOrNothing, DemoWritesAllItsFilesOrNone) {
    apptest::TempDir dir;
    std::filesystem::create_symlink("/dev/full", dir.path("trellis-demo.json"));
    int devNull = ::open("/dev/null", O_WRONLY);
    Exit exit = waitFor(startBinary(dir, {"demo"}, devNull));
    ::close(devNull);
    EXPECT_EQ(exit.status, 1);
    EXPECT_FALSE(dir.exists("trellis-demo.svg")) << "the picture was put in place although the cages failed";
    EXPECT_FALSE(dir.exists("trellis-demo.html")) << "the page was put in place although the cages failed";
    EXPECT_EQ(temporaryFiles(dir), std::vector<std::string>{});
}

TEST(AllOrNothing, EditSavesNothingWhenItsCageCannotBeWritten) {
    apptest::TempDir dir;
    dir.write("edited.json", "previous");
    apptest::RunResult run = apptest::runBinary(
        dir, {"edit", SAMPLE, "--object", "Cage", "--type", "Linear", "--save", dir.path("edited.json"), "--json", "/dev/full"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(dir.read("edited.json"), "previous");
}

// --- Signals and resource limits -------------------------------------------

TEST(OutputSignals, OverSizeWriteIsAnErrorLineNotADeath) {
    apptest::TempDir dir;
    std::string command = "ulimit -f 1; exec " + apptest::shellQuote(TRELLIS_BINARY) + " demo >" +
                          apptest::shellQuote(dir.path("out.txt")) + " 2>" + apptest::shellQuote(dir.path("err.txt"));
    int raw = std::system(("cd " + apptest::shellQuote(dir.path("")) + " && bash -c " + apptest::shellQuote(command)).c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << "killed by a signal";
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    std::string err = dir.read("err.txt");
    EXPECT_NE(err.find("cannot write: File too large"), std::string::npos) << err;
    EXPECT_EQ(apptest::countLines(err), 1) << err;
    EXPECT_FALSE(dir.exists("trellis-demo.svg"));
    EXPECT_FALSE(dir.exists("trellis-demo.json"));
    EXPECT_EQ(temporaryFiles(dir), std::vector<std::string>{});
}

// The run blocks opening a pipe nobody reads, its cages already in a
// temporary file; a signal then must not leave that file behind.
class Interrupted : public ::testing::TestWithParam<int> {};

TEST_P(Interrupted, RunRemovesItsTemporaryFileAndDiesOfTheSignal) {
    apptest::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.path("pipe").c_str(), 0600), 0);
    int devNull = ::open("/dev/null", O_WRONLY);
    pid_t pid = startBinary(dir, {"build", SAMPLE, "--json", dir.path("cage.json"), "--svg", dir.path("pipe")}, devNull);
    ::close(devNull);
    for (int i = 0; i < 500 && temporaryFiles(dir).empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(temporaryFiles(dir).size(), 1u) << "the run never got to its temporary file";
    ::kill(pid, GetParam());
    Exit exit = waitFor(pid);
    EXPECT_EQ(exit.signal, GetParam());
    EXPECT_EQ(temporaryFiles(dir), std::vector<std::string>{});
    EXPECT_FALSE(dir.exists("cage.json"));
}

INSTANTIATE_TEST_SUITE_P(Signals, Interrupted, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& s) { return "Signal" + std::to_string(s.param); });

// `| head` closing early ends the run quietly, as ever, but not untidily.
TEST(OutputSignals, ClosedPipeEndsQuietlyWithoutTemporaryFiles) {
    apptest::TempDir dir;
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    Exit exit = waitFor(startBinary(dir, {"build", SAMPLE, "--json", "-", "--svg", dir.path("cage.svg")}, ends[1]));
    ::close(ends[1]);
    EXPECT_EQ(exit.signal, SIGPIPE);
    EXPECT_FALSE(dir.exists("cage.svg"));
    EXPECT_EQ(temporaryFiles(dir), std::vector<std::string>{});
}

// --- One file named twice ---------------------------------------------------

TEST(OneFileTwice, TwoNamesOfOneNewFileAreRefused) {
    apptest::TempDir dir;
    std::string x = dir.path("x"), dotX = dir.path("./x");
    apptest::RunResult run = apptest::runBinary(dir, {"build", SAMPLE, "--json", x, "--svg", dotX});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "trellis: error: " + dotX + ": --json and --svg name the same file\n");
    EXPECT_FALSE(dir.exists("x"));
}

TEST(OneFileTwice, ALinkToAFileNotYetMadeIsThatFile) {
    apptest::TempDir dir;
    std::filesystem::create_symlink("target.obj", dir.path("link.obj"));
    apptest::RunResult run =
        apptest::runBinary(dir, {"build", SAMPLE, "--obj", dir.path("target.obj"), "--json", dir.path("link.obj")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "trellis: error: " + dir.path("target.obj") + ": --json and --obj name the same file\n");
    EXPECT_FALSE(dir.exists("target.obj"));
}

TEST(OneFileTwice, EditSaveAndJsonOnOneFileAreRefused) {
    apptest::TempDir dir;
    apptest::RunResult run = apptest::runBinary(
        dir, {"edit", SAMPLE, "--object", "Cage", "--save", dir.path("./x"), "--json", dir.path("x")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("--save and --json name the same file"), std::string::npos) << run.err;
    EXPECT_FALSE(dir.exists("x"));
}

}  // namespace
