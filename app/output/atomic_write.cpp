#include "app/output/atomic_write.h"
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct InjectedFailure {
    ReplaceStep step = ReplaceStep::Create;
    int error = 0;
};
InjectedFailure injectedFailure;

// Whether a test made this step fail; sets errno as the failed call would.
bool failsByInjection(ReplaceStep step) {
    if (injectedFailure.error == 0 || injectedFailure.step != step) return false;
    errno = injectedFailure.error;
    return true;
}

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
// replaces the file and not the link. A link whose file does not exist yet
// names the file to create: replacing the link would lose it.
std::string resolveTarget(const std::string& path) {
    const int maxLinks = 40;  // as the kernel follows, before it gives up with ELOOP
    fs::path target(path);
    std::error_code ec;
    for (int links = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++links) {
        if (links == maxLinks) throw OutputError("too many levels of symbolic links");
        fs::path next = fs::read_symlink(target, ec);
        if (ec) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.string();
}

// Makes the rename itself last through a power cut. Best effort: some file
// systems cannot sync a directory, and the new file is in place already.
void syncDirectory(const fs::path& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void replaceByRename(const std::string& path, const std::string& content) {
    fs::path target(path);
    fs::path directory = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string temporary = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = failsByInjection(ReplaceStep::Create) ? -1 : ::mkstemp(temporary.data());
    if (fd < 0) failWithErrno("cannot create a temporary file in " + directory.string());
    // The first failure decides the message; the temporary file goes in any case.
    int error = 0;
    if (::fchmod(fd, modeForReplacement(path)) != 0 || failsByInjection(ReplaceStep::Write) ||
        !writeAll(fd, content) || failsByInjection(ReplaceStep::Sync) || ::fsync(fd) != 0)
        error = errno;
    bool closed = ::close(fd) == 0 && !failsByInjection(ReplaceStep::Close);
    if (!closed && error == 0) error = errno;
    if (error == 0 && (failsByInjection(ReplaceStep::Rename) || ::rename(temporary.c_str(), path.c_str()) != 0))
        error = errno;
    if (error == 0) return syncDirectory(directory);
    ::unlink(temporary.c_str());
    errno = error;
    failWithErrno("cannot write");
}

}  // namespace

void injectReplaceFailureForTesting(ReplaceStep step, int error) {
    injectedFailure = {step, error};
}

bool namesSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return a == b || fs::equivalent(a, b, ec);
}

void refuseOverwritingInput(const std::string& output, const std::string& input) {
    if (output == STDOUT_PATH) return;
    if (namesSameFile(output, input)) throw OutputError("refusing to overwrite the input scene file");
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
