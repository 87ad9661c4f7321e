// Output files: complete or untouched, never partial, never the input.
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "app/output/atomic_write.h"
#include "support/app_test_support.h"

namespace {

std::ostringstream unusedStdout;

void writeTo(const std::string& path, const std::string& content) {
    writeFileAtomically(path, content, unusedStdout);
}

TEST(AtomicWrite, CreatesAndReplacesFilesLeavingNoTemporaryFile) {
    apptest::TempDir dir;
    writeTo(dir.path("out.json"), "first");
    EXPECT_EQ(dir.read("out.json"), "first");
    writeTo(dir.path("out.json"), "second");
    EXPECT_EQ(dir.read("out.json"), "second");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.json"});
}

// Large pieces go to the file directly, small ones through a buffer: the
// file must still hold every character in the order written.
TEST(AtomicWrite, SmallAndLargeWritesKeepTheirOrder) {
    apptest::TempDir dir;
    std::string expected;
    OutputSet set(unusedStdout);
    set.add(dir.path("out.txt"), "--out", [&expected](std::ostream& out) {
        for (std::size_t size : {3, 70000, 5, 4096, 4095, 1, 65536, 200000, 2}) {
            std::string piece(size, static_cast<char>('a' + expected.size() % 26));
            out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            expected += piece;
        }
    });
    set.commit();
    EXPECT_EQ(dir.read("out.txt"), expected);
}

TEST(AtomicWrite, KeepsTheModeOfTheFileItReplaces) {
    apptest::TempDir dir;
    std::string path = dir.write("out.json", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    writeTo(path, "new");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(AtomicWrite, DashGoesToStandardOutput) {
    std::ostringstream out;
    writeFileAtomically("-", "{}\n", out);
    EXPECT_EQ(out.str(), "{}\n");
}

TEST(AtomicWrite, MissingDirectoryFailsWithReason) {
    apptest::TempDir dir;
    try {
        writeTo(dir.path("absent/out.json"), "x");
        FAIL() << "expected OutputError";
    } catch (const OutputError& e) {
        EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(dir.entries().empty());
}

TEST(AtomicWrite, DirectoryTargetFailsAndStaysIntact) {
    apptest::TempDir dir;
    std::filesystem::create_directory(dir.path("out"));
    dir.write("out/inside.txt", "kept");
    EXPECT_THROW(writeTo(dir.path("out"), "x"), OutputError);
    EXPECT_EQ(dir.read("out/inside.txt"), "kept");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out"});
}

// A write cut short (here by a file size limit, which root cannot get
// around) leaves the previous file whole and no temporary file behind.
// A real failure: a child process whose file size limit stops the write.
// The child answers through a pipe, not its exit status, which a memory
// checker running the tests may replace with its own.
TEST(AtomicWrite, FailedWriteLeavesPreviousFileIntact) {
    apptest::TempDir dir;
    std::string path = dir.write("out.json", "previous");
    int answer[2];
    ASSERT_EQ(::pipe(answer), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        char result = 'w';  // written: the limit did not stop it
        try {
            writeTo(path, std::string(100000, 'x'));
        } catch (const OutputError&) {
            result = 'e';
        }
        ssize_t sent = ::write(answer[1], &result, 1);
        ::_exit(sent == 1 ? 0 : 1);
    }
    ::close(answer[1]);
    char result = 0;
    ssize_t got = ::read(answer[0], &result, 1);
    ::close(answer[0]);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(got, 1);
    EXPECT_EQ(result, 'e') << "the write should have failed with OutputError";
    EXPECT_EQ(dir.read("out.json"), "previous");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.json"});
}

TEST(AtomicWrite, DeviceIsWrittenInPlaceNotReplaced) {
    writeTo("/dev/null", "discarded");
    struct stat st;
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(AtomicWrite, SymbolicLinkKeepsPointingAtTheReplacedFile) {
    apptest::TempDir dir;
    dir.write("real.json", "old");
    std::filesystem::create_symlink(dir.path("real.json"), dir.path("link.json"));
    writeTo(dir.path("link.json"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link.json")));
    EXPECT_EQ(dir.read("real.json"), "new");
}

TEST(AtomicWrite, RefusesEveryNameOfTheInputFile) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", "{}");
    EXPECT_THROW(refuseOverwritingInput(scene, scene), OutputError);
    EXPECT_THROW(refuseOverwritingInput(dir.path("./scene.json"), scene), OutputError);
    std::filesystem::create_hard_link(scene, dir.path("alias.json"));
    EXPECT_THROW(refuseOverwritingInput(dir.path("alias.json"), scene), OutputError);
    EXPECT_NO_THROW(refuseOverwritingInput(dir.path("other.json"), scene));
    EXPECT_NO_THROW(refuseOverwritingInput("-", scene));
}

}  // namespace
