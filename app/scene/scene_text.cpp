#include "app/scene/scene_text.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "app/scene/limits.h"
#include "app/scene/scene_error.h"

namespace {

[[noreturn]] void failToRead(int error) {
    throw SceneError(std::string("cannot read: ") + std::strerror(error));
}

[[noreturn]] void refuseSize() {
    throw SceneError("scene file larger than " + std::to_string(MAX_SCENE_FILE_BYTES >> 20) + " MiB (" +
                     std::to_string(MAX_SCENE_FILE_BYTES) + " bytes), the limit");
}

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : fd(descriptor) {}
    ~FileDescriptor() { ::close(fd); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd; }

private:
    int fd;
};

// Reads until the end of the file or until one byte more than the limit.
std::string readAtMostLimit(int fd) {
    std::string text;
    char buffer[65536];
    while (text.size() <= MAX_SCENE_FILE_BYTES) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failToRead(errno);
        if (got == 0) return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    refuseSize();
}

}  // namespace

std::string readSceneText(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) failToRead(errno);
    FileDescriptor file(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0) failToRead(errno);
    if (S_ISDIR(st.st_mode)) throw SceneError("cannot read: is a directory");
    // A regular file's size is known up front: no need to read a huge one.
    if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) > MAX_SCENE_FILE_BYTES) refuseSize();
    return readAtMostLimit(fd);
}

void refuseNulBytes(const std::string& text) {
    std::size_t nul = text.find('\0');
    if (nul == std::string::npos) return;
    // Counted as the JSON reader counts: lines from 1, columns in bytes from 1.
    std::size_t line = 1, lineStart = 0;
    for (std::size_t i = 0; i < nul; ++i) {
        if (text[i] != '\n') continue;
        ++line;
        lineStart = i + 1;
    }
    throw SceneError("invalid JSON: parse error at line " + std::to_string(line) + ", column " +
                     std::to_string(nul - lineStart + 1) + " (byte offset " + std::to_string(nul) + "): NUL byte");
}
