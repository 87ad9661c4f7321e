#include "app/output/atomic_write.h"
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <streambuf>
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

std::string withErrno(const std::string& what, int error) { return what + ": " + std::strerror(error); }

// --- Temporary files a signal must not leave behind --------------------------
// A fixed table of paths, so that the signal handler needs nothing but
// unlink: no allocation, no locks.

const int MAX_TEMPORARY_FILES = 16;
const std::size_t MAX_TEMPORARY_PATH = 4096;
char temporaryPaths[MAX_TEMPORARY_FILES][MAX_TEMPORARY_PATH];
volatile std::sig_atomic_t temporaryInUse[MAX_TEMPORARY_FILES];

// The slot of a new temporary file's name, or -1 when the table is full.
int claimTemporarySlot(std::size_t pathLength) {
    if (pathLength >= MAX_TEMPORARY_PATH) return -1;
    for (int i = 0; i < MAX_TEMPORARY_FILES; ++i)
        if (!temporaryInUse[i]) return i;
    return -1;
}

void releaseTemporarySlot(int slot) {
    if (slot >= 0) temporaryInUse[slot] = 0;
}

extern "C" void removeTemporariesAndDie(int signal) {
    int saved = errno;
    for (int i = 0; i < MAX_TEMPORARY_FILES; ++i)
        if (temporaryInUse[i]) ::unlink(temporaryPaths[i]);
    errno = saved;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// --- Writing through a file descriptor --------------------------------------

// Writes all of the bytes, resuming after short writes and interruptions.
bool writeAll(int fd, const char* data, std::size_t left) {
    while (left > 0) {
        if (failsByInjection(ReplaceStep::Write)) return false;
        ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO;
        if (written <= 0) return false;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// A stream buffer over a file descriptor that keeps the first error, so
// that producers write as into any stream and the failure is told once.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int descriptor) : fd(descriptor) { setp(buffer, buffer + sizeof buffer); }
    // 0, or the errno of the first failed write.
    int finish() {
        sync();
        return error;
    }

protected:
    int_type overflow(int_type c) override {
        if (sync() != 0) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override {
        std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
        if (error == 0 && pending > 0 && !writeAll(fd, pbase(), pending)) error = errno;
        setp(buffer, buffer + sizeof buffer);
        return error == 0 ? 0 : -1;
    }

private:
    int fd;
    int error = 0;
    char buffer[1 << 16];
};

// The producer's content into the descriptor; 0 or the errno of the failure.
int produceInto(int fd, const OutputProducer& produce) {
    DescriptorBuffer buffer(fd);
    std::ostream stream(&buffer);
    produce(stream);
    stream.flush();
    return buffer.finish();
}

// --- Where an output goes ---------------------------------------------------

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

// The file's identity: device and inode where it exists, else its absolute
// path once links are followed.
std::string fileIdentity(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return "inode " + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    std::error_code ec;
    std::string target;
    try {
        target = resolveTarget(path);
    } catch (const OutputError&) {
        target = path;
    }
    fs::path absolute = fs::weakly_canonical(fs::absolute(target, ec), ec);
    return "path " + (ec ? target : absolute.lexically_normal().string());
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

// Makes the rename itself last through a power cut. Best effort: some file
// systems cannot sync a directory, and the new file is in place already.
void syncDirectory(const fs::path& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

enum class OutputKind { StandardOutput, InPlace, Replaced };

}  // namespace

// One planned output. A replaced file owns its temporary file until the
// rename, and removes it when it is dropped before that.
struct OutputSet::Planned {
    std::string path;      // as given, for messages
    std::string target;    // the file written or replaced, links followed
    std::string option;
    std::string identity;
    OutputKind kind = OutputKind::Replaced;
    OutputProducer produce;
    std::string temporary;
    int slot = -1;

    ~Planned() { dropTemporary(); }
    void dropTemporary() {
        if (temporary.empty()) return;
        ::unlink(temporary.c_str());
        temporary.clear();
        releaseTemporarySlot(slot);
        slot = -1;
    }
    [[noreturn]] void fail(const std::string& what, int error) {
        dropTemporary();
        throw OutputError(withErrno(what, error), path);
    }
    void writeTemporary();
    void writeInPlace();
    void rename();
};

void OutputSet::Planned::writeTemporary() {
    fs::path file(target);
    fs::path directory = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::string name = (directory / ("." + file.filename().string() + ".XXXXXX")).string();
    slot = claimTemporarySlot(name.size());
    if (slot < 0) throw OutputError("too many outputs or too long a path", path);
    std::memcpy(temporaryPaths[slot], name.c_str(), name.size() + 1);
    // Marked in use before the file exists: a signal then at worst unlinks a name not yet made.
    temporaryInUse[slot] = 1;
    int fd = failsByInjection(ReplaceStep::Create) ? -1 : ::mkstemp(temporaryPaths[slot]);
    if (fd < 0) {
        int error = errno;
        releaseTemporarySlot(slot);
        slot = -1;
        throw OutputError(withErrno("cannot create a temporary file in " + directory.string(), error), path);
    }
    temporary = temporaryPaths[slot];
    // The first failure decides the message; the temporary file goes in any case.
    int error = ::fchmod(fd, modeForReplacement(target)) != 0 ? errno : produceInto(fd, produce);
    if (error == 0 && (failsByInjection(ReplaceStep::Sync) || ::fsync(fd) != 0)) error = errno;
    bool closed = ::close(fd) == 0 && !failsByInjection(ReplaceStep::Close);
    if (!closed && error == 0) error = errno;
    if (error != 0) fail("cannot write", error);
}

void OutputSet::Planned::writeInPlace() {
    int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) fail("cannot open", errno);
    int error = produceInto(fd, produce);
    ::close(fd);
    if (error != 0) fail("cannot write", error);
}

void OutputSet::Planned::rename() {
    if (failsByInjection(ReplaceStep::Rename) || ::rename(temporary.c_str(), target.c_str()) != 0)
        fail("cannot write", errno);
    temporary.clear();
    releaseTemporarySlot(slot);
    slot = -1;
    fs::path directory = fs::path(target).parent_path();
    syncDirectory(directory.empty() ? fs::path(".") : directory);
}

OutputSet::OutputSet(std::ostream& stream) : stdoutStream(stream) {}

OutputSet::~OutputSet() = default;

void OutputSet::add(const std::string& path, const std::string& option, OutputProducer produce) {
    auto output = std::make_unique<Planned>();
    output->path = path;
    output->option = option;
    output->produce = std::move(produce);
    if (path == STDOUT_PATH) {
        output->kind = OutputKind::StandardOutput;
    } else {
        if (path.empty()) throw OutputError("empty output path", path);
        try {
            output->target = resolveTarget(path);
        } catch (const OutputError& e) {
            throw OutputError(e.what(), path);
        }
        struct stat existing;
        bool exists = ::stat(output->target.c_str(), &existing) == 0;
        if (exists && S_ISDIR(existing.st_mode)) throw OutputError("is a directory", path);
        output->kind = exists && !S_ISREG(existing.st_mode) ? OutputKind::InPlace : OutputKind::Replaced;
        output->identity = fileIdentity(path);
    }
    for (const auto& other : planned) {
        bool same = output->kind == OutputKind::StandardOutput ? other->kind == OutputKind::StandardOutput
                                                                 : output->identity == other->identity;
        if (same) throw OutputError(other->option + " and " + option + " name the same file", path);
    }
    planned.push_back(std::move(output));
}

void OutputSet::addStandardOutputText(std::string text) { stdoutText += text; }

void OutputSet::commit() {
    for (auto& output : planned)
        if (output->kind == OutputKind::Replaced) output->writeTemporary();
    for (auto& output : planned)
        if (output->kind == OutputKind::InPlace) output->writeInPlace();
    for (auto& output : planned)
        if (output->kind == OutputKind::StandardOutput) output->produce(stdoutStream);
    stdoutStream << stdoutText << std::flush;
    if (!stdoutStream) throw OutputError("cannot write to standard output", STDOUT_PATH);
    for (auto& output : planned)
        if (output->kind == OutputKind::Replaced) output->rename();
}

bool namesSameFile(const std::string& a, const std::string& b) {
    return a == b || fileIdentity(a) == fileIdentity(b);
}

void refuseOverwritingInput(const std::string& output, const std::string& input) {
    if (output == STDOUT_PATH) return;
    if (namesSameFile(output, input)) throw OutputError("refusing to overwrite the input scene file", output);
}

void writeFileAtomically(const std::string& path, const std::string& content, std::ostream& stdoutStream) {
    OutputSet outputs(stdoutStream);
    outputs.add(path, path, [&content](std::ostream& out) { out << content; });
    outputs.commit();
}

void installTemporaryFileCleanup() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) std::signal(signal, removeTemporariesAndDie);
    std::signal(SIGXFSZ, SIG_IGN);
}

void injectReplaceFailureForTesting(ReplaceStep step, int error) {
    injectedFailure = {step, error};
}
