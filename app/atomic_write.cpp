#include "app/atomic_write.h"
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void failWithErrno(const std::string& what) {
    throw OutputError(what + ": " + std::strerror(errno));
}

// Writes all of content, resuming after short writes and interruptions.
bool writeAll(int fd, const std::string& content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO;
        if (written <= 0) return false;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

void writeToStream(std::ostream& stream, const std::string& content) {
    stream.write(content.data(), static_cast<std::streamsize>(content.size()));
    stream.flush();
    if (!stream) throw OutputError("cannot write to standard output");
}

void writeInPlace(const std::string& path, const std::string& content) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) failWithErrno("cannot open");
    bool ok = writeAll(fd, content);
    int error = errno;
    ::close(fd);
    errno = error;
    if (!ok) failWithErrno("cannot write");
}

// The mode the new file gets: the replaced file's, or what creating it
// under the current umask would give.
mode_t modeForReplacement(const std::string& path) {
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a path names, through any symbolic links, so that the rename
// replaces the file and not the link.
std::string resolveTarget(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    fs::path target = fs::canonical(path, ec);
    return ec ? path : target.string();
}

void replaceByRename(const std::string& path, const std::string& content) {
    fs::path target(path);
    fs::path directory = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string temporary = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) failWithErrno("cannot create a temporary file in " + directory.string());
    // The first failure decides the message; the temporary file goes in any case.
    int error = 0;
    if (::fchmod(fd, modeForReplacement(path)) != 0 || !writeAll(fd, content) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error == 0) return;
    ::unlink(temporary.c_str());
    errno = error;
    failWithErrno("cannot write");
}

}  // namespace

void refuseOverwritingInput(const std::string& output, const std::string& input) {
    if (output == STDOUT_PATH) return;
    std::error_code ec;
    if (output == input || fs::equivalent(output, input, ec))
        throw OutputError("refusing to overwrite the input scene file");
}

void writeFileAtomically(const std::string& path, const std::string& content, std::ostream& stdoutStream) {
    if (path == STDOUT_PATH) return writeToStream(stdoutStream, content);
    if (path.empty()) throw OutputError("empty output path");
    std::string target = resolveTarget(path);
    struct stat existing;
    bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) throw OutputError("is a directory");
    if (exists && !S_ISREG(existing.st_mode)) return writeInPlace(target, content);
    replaceByRename(target, content);
}
