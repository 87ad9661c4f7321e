// The program starts itself again once, with large heap pages, when it is
// given a large file: the run the user sees is the same process, with the
// same arguments, streams and environment; a GLIBC_TUNABLES of the user's
// own is left as it is, and a small scene is read without the restart.
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "support/app_test_support.h"

namespace {

const std::string SAMPLE = std::string(TRELLIS_SOURCE_DIR) + "/tests/data/app_two_rims.json";

std::string readProcFile(pid_t pid, const char* name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Seen {
    std::string cmdline, environ, output;
    int status = -1;
};

// Starts the program writing its JSON into a FIFO, looks at the process
// while it waits there for a reader, then reads the JSON and reaps it. /proc shows the
// environment a process image started with.
Seen runBlockedOnFifo(const apptest::TempDir& dir, const char* tunables, const std::string& scene) {
    const std::string fifo = dir.path("cages.json");
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const char* args[] = {TRELLIS_BINARY, "build", scene.c_str(), "--json", fifo.c_str(), nullptr};
    pid_t pid = ::fork();
    if (pid == 0) {
        if (tunables) ::setenv("GLIBC_TUNABLES", tunables, 1);
        else ::unsetenv("GLIBC_TUNABLES");
        ::setenv("TRELLIS_TEST_MARK", "kept", 1);
        ::execv(TRELLIS_BINARY, const_cast<char**>(args));
        ::_exit(127);
    }
    // The program opens the FIFO to write once it has built the cages, long
    // after any restart, and waits there for a reader: what /proc shows
    // then is the run the user sees.
    Seen seen;
    for (int i = 0; i < 1000 && readProcFile(pid, "wchan") != "wait_for_partner"; ++i) ::usleep(5000);
    seen.cmdline = readProcFile(pid, "cmdline");
    seen.environ = readProcFile(pid, "environ");
    int fd = ::open(fifo.c_str(), O_RDONLY);
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) seen.output.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    seen.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return seen;
}

// The sample scene with white space after it up to the size from which the
// restart pays off.
std::string largeSample(const apptest::TempDir& dir) {
    std::ifstream in(SAMPLE, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text.resize(1 << 20, ' ');
    const std::string path = dir.path("large.json");
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string joinedArgs(std::initializer_list<std::string> args) {
    std::string text;
    for (const std::string& a : args) text += a + '\0';
    return text;
}

TEST(ProgramStart, SameProcessArgumentsAndEnvironmentAfterTheRestart) {
    apptest::TempDir dir;
    const std::string scene = largeSample(dir);
    Seen seen = runBlockedOnFifo(dir, nullptr, scene);
    EXPECT_EQ(seen.status, 0);
    EXPECT_EQ(seen.cmdline, joinedArgs({TRELLIS_BINARY, "build", scene, "--json", dir.path("cages.json")}));
    EXPECT_NE(seen.environ.find(std::string("GLIBC_TUNABLES=glibc.malloc.hugetlb=1") + '\0'), std::string::npos)
        << "the running image started with large heap pages";
    EXPECT_NE(seen.environ.find(std::string("TRELLIS_TEST_MARK=kept") + '\0'), std::string::npos);
    EXPECT_EQ(seen.output.rfind("{\"time\":", 0), 0u) << seen.output.substr(0, 80);
}

TEST(ProgramStart, UsersOwnTunablesAreKept) {
    apptest::TempDir dir;
    Seen seen = runBlockedOnFifo(dir, "glibc.malloc.perturb=0", largeSample(dir));
    EXPECT_EQ(seen.status, 0);
    EXPECT_NE(seen.environ.find(std::string("GLIBC_TUNABLES=glibc.malloc.perturb=0") + '\0'), std::string::npos);
    EXPECT_EQ(seen.output.rfind("{\"time\":", 0), 0u);
}

TEST(ProgramStart, SmallScenesRunWithoutTheRestart) {
    apptest::TempDir dir;
    Seen seen = runBlockedOnFifo(dir, nullptr, SAMPLE);
    EXPECT_EQ(seen.status, 0);
    EXPECT_EQ(seen.environ.find("GLIBC_TUNABLES="), std::string::npos);
    EXPECT_NE(seen.environ.find(std::string("TRELLIS_TEST_MARK=kept") + '\0'), std::string::npos);
    EXPECT_EQ(seen.output.rfind("{\"time\":", 0), 0u);
}

}  // namespace
