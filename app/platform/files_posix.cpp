// The file operations on POSIX systems: descriptors, mkstemp, rename,
// fsync, device and inode numbers, and signals.
#include "app/platform/files.h"
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

struct FileAccess {
    static std::intptr_t& handle(File& file) { return file.handle; }
    static int descriptor(const File& file) { return static_cast<int>(file.handle); }
};

namespace {

std::error_code lastError() { return std::error_code(errno, std::generic_category()); }

// Takes a new descriptor into `file`, or answers the error of the call that failed to make it.
std::error_code adopt(int fd, File& file) {
    if (fd < 0) return lastError();
    file = File();
    FileAccess::handle(file) = fd;
    return {};
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::Regular;
    if (S_ISDIR(mode)) return FileKind::Directory;
    return FileKind::Other;
}

FileStatus statusFrom(const struct stat& st) {
    FileStatus status;
    status.kind = kindOf(st.st_mode);
    if (status.kind == FileKind::Regular) status.size = static_cast<std::uint64_t>(st.st_size);
    return status;
}

void (*terminationCleanUp)() = nullptr;

extern "C" void cleanUpAndDie(int signal) {
    int saved = errno;
    if (terminationCleanUp) terminationCleanUp();
    errno = saved;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

File::~File() {
    if (isOpen()) ::close(FileAccess::descriptor(*this));
}

File::File(File&& other) noexcept : handle(other.handle) { other.handle = -1; }

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (isOpen()) ::close(FileAccess::descriptor(*this));
        handle = other.handle;
        other.handle = -1;
    }
    return *this;
}

bool File::isOpen() const { return handle >= 0; }

std::error_code File::write(const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(FileAccess::descriptor(*this), data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO;
        if (written <= 0) return lastError();
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

std::error_code File::read(char* data, std::size_t size, std::size_t& got) {
    for (;;) {
        ssize_t read = ::read(FileAccess::descriptor(*this), data, size);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) return lastError();
        got = static_cast<std::size_t>(read);
        return {};
    }
}

std::error_code File::sync() { return ::fsync(FileAccess::descriptor(*this)) == 0 ? std::error_code() : lastError(); }

std::error_code File::close() {
    const int fd = FileAccess::descriptor(*this);
    handle = -1;
    return ::close(fd) == 0 ? std::error_code() : lastError();
}

FileStatus statusOf(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? statusFrom(st) : FileStatus();
}

std::error_code statusOf(const File& file, FileStatus& status) {
    struct stat st;
    if (::fstat(FileAccess::descriptor(file), &st) != 0) return lastError();
    status = statusFrom(st);
    return {};
}

std::error_code openForReading(const std::string& path, File& file) {
    return adopt(::open(path.c_str(), O_RDONLY | O_CLOEXEC), file);
}

std::error_code openForWritingInPlace(const std::string& path, File& file) {
    return adopt(::open(path.c_str(), O_WRONLY | O_CLOEXEC), file);
}

std::error_code createUniqueFile(char* pattern, File& file) { return adopt(::mkstemp(pattern), file); }

// The replaced file's mode, or what creating it under the current umask would give.
std::error_code takePermissionsFor(File& file, const std::string& replaced) {
    struct stat existing;
    mode_t mode;
    if (::stat(replaced.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::fchmod(FileAccess::descriptor(file), mode) == 0 ? std::error_code() : lastError();
}

std::error_code replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : lastError();
}

// Some file systems cannot sync a folder; the rename stands in any case.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void removeFileQuietly(const char* path) { ::unlink(path); }

std::optional<std::string> fileIdentity(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return "inode " + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

void callOnTermination(void (*cleanUp)()) {
    terminationCleanUp = cleanUp;
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) std::signal(signal, cleanUpAndDie);
    std::signal(SIGXFSZ, SIG_IGN);
}

void useBinaryStandardStreams() {}

}  // namespace platform
