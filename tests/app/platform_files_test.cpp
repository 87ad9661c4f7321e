// The program's file operations on the platform it runs on: the same tests
// run on Linux and, built for Windows, under wine (tests/windows).
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <gtest/gtest.h>
#include "app/platform/files.h"

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
const char* const NULL_DEVICE = "NUL";
#else
const char* const NULL_DEVICE = "/dev/null";
#endif

// A fresh folder of the test's own, removed with what it holds.
class Folder {
public:
    Folder() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::temp_directory_path() / (std::string("trellis-platform-") + test->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    std::string path(const std::string& name) const { return (root / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(root), fs::directory_iterator()));
    }

private:
    fs::path root;
};

std::string readAll(platform::File& file) {
    std::string text;
    char buffer[4];
    for (;;) {
        std::size_t got = 0;
        EXPECT_FALSE(file.read(buffer, sizeof buffer, got));
        if (got == 0) return text;
        text.append(buffer, got);
    }
}

TEST(PlatformFiles, UniqueFilesAreNewAndNamedInPlace) {
    Folder folder;
    std::string first = folder.path(".out.XXXXXX"), second = first;
    platform::File a, b;
    ASSERT_FALSE(platform::createUniqueFile(&first[0], a));
    ASSERT_FALSE(platform::createUniqueFile(&second[0], b));
    EXPECT_NE(first, second);
    EXPECT_EQ(first.find("XXXXXX"), std::string::npos) << first;
    EXPECT_FALSE(a.write("abc", 3));
    EXPECT_FALSE(a.sync());
    EXPECT_FALSE(a.close());
    EXPECT_FALSE(a.isOpen());
    platform::FileStatus status = platform::statusOf(first);
    EXPECT_EQ(status.kind, platform::FileKind::Regular);
    EXPECT_EQ(status.size, 3u);
    EXPECT_EQ(folder.entries(), 2u);
}

// Readers of the target see the old file or the new one, never a mix.
TEST(PlatformFiles, ReplaceFileTakesTheOtherFilesPlace) {
    Folder folder;
    std::string target = folder.write("cage.json", "old contents, longer than the new");
    std::string temporary = folder.write(".cage.json.tmp", "new");
    ASSERT_FALSE(platform::replaceFile(temporary, target));
    EXPECT_EQ(folder.read("cage.json"), "new");
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(PlatformFiles, IdentityIsTheSameForEveryNameOfAFile) {
    Folder folder;
    std::string file = folder.write("a.json", "a");
    std::string other = folder.write("b.json", "b");
    fs::create_hard_link(file, folder.path("link.json"));
    ASSERT_TRUE(platform::fileIdentity(file));
    EXPECT_EQ(platform::fileIdentity(file), platform::fileIdentity(folder.path("./a.json")));
    EXPECT_EQ(platform::fileIdentity(file), platform::fileIdentity(folder.path("link.json")));
    EXPECT_NE(platform::fileIdentity(file), platform::fileIdentity(other));
    EXPECT_FALSE(platform::fileIdentity(folder.path("missing.json")));
}

TEST(PlatformFiles, StatusTellsFilesFoldersDevicesAndNothing) {
    Folder folder;
    fs::create_directory(folder.path("sub"));
    EXPECT_EQ(platform::statusOf(folder.write("a.json", "12345")).kind, platform::FileKind::Regular);
    EXPECT_EQ(platform::statusOf(folder.path("sub")).kind, platform::FileKind::Directory);
    EXPECT_EQ(platform::statusOf(NULL_DEVICE).kind, platform::FileKind::Other);
    EXPECT_EQ(platform::statusOf(folder.path("missing")).kind, platform::FileKind::Missing);
    EXPECT_EQ(platform::statusOf(folder.path("missing/deeper")).kind, platform::FileKind::Missing);
}

// A folder opens for reading, so that the caller can say it is one.
TEST(PlatformFiles, ReadingGivesTheBytesThenTheEnd) {
    Folder folder;
    platform::File file;
    ASSERT_FALSE(platform::openForReading(folder.write("scene.json", "{\"nodes\": []}"), file));
    EXPECT_EQ(readAll(file), "{\"nodes\": []}");
    platform::File sub;
    fs::create_directory(folder.path("sub"));
    ASSERT_FALSE(platform::openForReading(folder.path("sub"), sub));
    platform::FileStatus status;
    ASSERT_FALSE(platform::statusOf(sub, status));
    EXPECT_EQ(status.kind, platform::FileKind::Directory);
}

TEST(PlatformFiles, DevicesAreWrittenInPlace) {
    platform::File device;
    ASSERT_FALSE(platform::openForWritingInPlace(NULL_DEVICE, device));
    EXPECT_FALSE(device.write("gone", 4));
    platform::FileStatus status;
    ASSERT_FALSE(platform::statusOf(device, status));
    EXPECT_EQ(status.kind, platform::FileKind::Other);
}

// Messages read the same on every platform for the errors users meet.
TEST(PlatformFiles, CommonErrorsReadAsOnPosixSystems) {
    Folder folder;
    platform::File file;
    EXPECT_EQ(platform::openForReading(folder.path("missing.json"), file).message(), "No such file or directory");
    EXPECT_EQ(platform::openForWritingInPlace(folder.path("missing.json"), file).message(),
              "No such file or directory");
    std::string pattern = folder.path("no-folder/.out.XXXXXX");
    EXPECT_EQ(platform::createUniqueFile(&pattern[0], file).message(), "No such file or directory");
    EXPECT_EQ(platform::replaceFile(folder.path("missing.json"), folder.path("b.json")).message(),
              "No such file or directory");
    EXPECT_FALSE(file.isOpen());
}

// The clean-up of a signal or a console event removes whatever it finds,
// also a temporary file that is still being written.
TEST(PlatformFiles, QuietRemovalRemovesAndIgnoresTheMissing) {
    Folder folder;
    std::string file = folder.write(".out.tmp", "x");
    platform::removeFileQuietly(file.c_str());
    platform::removeFileQuietly(file.c_str());
    std::string pattern = folder.path(".out.XXXXXX");
    platform::File open;
    ASSERT_FALSE(platform::createUniqueFile(&pattern[0], open));
    EXPECT_FALSE(open.write("half", 4));
    platform::removeFileQuietly(pattern.c_str());
    open.close();
    EXPECT_EQ(folder.entries(), 0u);
}

}  // namespace
