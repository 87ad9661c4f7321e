#include "app/output/atomic_write.h"
#include <csignal>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include "app/platform/files.h"

namespace fs = std::filesystem;

namespace {

struct InjectedFailure {
    ReplaceStep step = ReplaceStep::Create;
    int error = 0;
};
InjectedFailure injectedFailure;

// The error a test made this step fail with; none otherwise.
std::error_code injectedError(ReplaceStep step) {
    if (injectedFailure.error == 0 || injectedFailure.step != step) return {};
    return std::error_code(injectedFailure.error, std::generic_category());
}

std::string withReason(const std::string& what, std::error_code error) { return what + ": " + error.message(); }

// --- Temporary files a signal must not leave behind --------------------------
// A fixed table of paths, so that the clean-up needs nothing but the
// removal of files: no allocation, no locks.

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

void removeTemporaries() {
    for (int i = 0; i < MAX_TEMPORARY_FILES; ++i)
        if (temporaryInUse[i]) platform::removeFileQuietly(temporaryPaths[i]);
}

// --- Writing into a file ----------------------------------------------------

// A test's failure of the Write step stands for the system's.
std::error_code writeAll(platform::File& file, const char* data, std::size_t size) {
    if (std::error_code injected = injectedError(ReplaceStep::Write)) return injected;
    return file.write(data, size);
}

// A stream buffer over an open file that keeps the first error, so that
// producers write as into any stream and the failure is told once.
class FileBuffer : public std::streambuf {
public:
    explicit FileBuffer(platform::File& output) : file(output) { setp(buffer, buffer + sizeof buffer); }
    // The first failed write's error, if any.
    std::error_code finish() {
        sync();
        return error;
    }

protected:
    // Writers gather their text in pieces of their own: a large piece goes
    // to the file as it is rather than through this buffer, after what the
    // buffer holds, so that every character is copied once less.
    std::streamsize xsputn(const char* data, std::streamsize size) override {
        if (size < DIRECT_WRITE_SIZE) return std::streambuf::xsputn(data, size);
        if (sync() != 0) return 0;
        error = writeAll(file, data, static_cast<std::size_t>(size));
        return error ? 0 : size;
    }
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
        if (!error && pending > 0) error = writeAll(file, pbase(), pending);
        setp(buffer, buffer + sizeof buffer);
        return error ? -1 : 0;
    }

private:
    static const std::streamsize DIRECT_WRITE_SIZE = 1 << 12;

    platform::File& file;
    std::error_code error;
    char buffer[1 << 16];
};

// The producer's content into the file, and the error of its writing.
std::error_code produceInto(platform::File& file, const OutputProducer& produce) {
    FileBuffer buffer(file);
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

// The file's identity: the system's where the file exists, else its
// absolute path once links are followed.
std::string fileIdentity(const std::string& path) {
    if (std::optional<std::string> identity = platform::fileIdentity(path)) return *identity;
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

std::string folderOf(const std::string& file) {
    fs::path folder = fs::path(file).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
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
        platform::removeFileQuietly(temporary.c_str());
        temporary.clear();
        releaseTemporarySlot(slot);
        slot = -1;
    }
    [[noreturn]] void fail(const std::string& what, std::error_code error) {
        dropTemporary();
        throw OutputError(withReason(what, error), path);
    }
    void writeTemporary();
    void writeInPlace();
    void rename();
};

void OutputSet::Planned::writeTemporary() {
    fs::path file(target);
    std::string directory = folderOf(target);
    std::string name = (fs::path(directory) / ("." + file.filename().string() + ".XXXXXX")).string();
    slot = claimTemporarySlot(name.size());
    if (slot < 0) throw OutputError("too many outputs or too long a path", path);
    std::memcpy(temporaryPaths[slot], name.c_str(), name.size() + 1);
    // Marked in use before the file exists: a signal then at worst removes a name not yet made.
    temporaryInUse[slot] = 1;
    platform::File temporaryFile;
    std::error_code error = injectedError(ReplaceStep::Create);
    if (!error) error = platform::createUniqueFile(temporaryPaths[slot], temporaryFile);
    if (error) {
        releaseTemporarySlot(slot);
        slot = -1;
        throw OutputError(withReason("cannot create a temporary file in " + directory, error), path);
    }
    temporary = temporaryPaths[slot];
    // The first failure decides the message; the temporary file goes in any case.
    error = platform::takePermissionsFor(temporaryFile, target);
    if (!error) error = produceInto(temporaryFile, produce);
    if (!error) error = injectedError(ReplaceStep::Sync);
    if (!error) error = temporaryFile.sync();
    std::error_code closing = temporaryFile.close();
    if (!closing) closing = injectedError(ReplaceStep::Close);
    if (!error) error = closing;
    if (error) fail("cannot write", error);
}

void OutputSet::Planned::writeInPlace() {
    platform::File device;
    if (std::error_code error = platform::openForWritingInPlace(target, device)) fail("cannot open", error);
    std::error_code error = produceInto(device, produce);
    device.close();
    if (error) fail("cannot write", error);
}

void OutputSet::Planned::rename() {
    std::error_code error = injectedError(ReplaceStep::Rename);
    if (!error) error = platform::replaceFile(temporary, target);
    if (error) fail("cannot write", error);
    temporary.clear();
    releaseTemporarySlot(slot);
    slot = -1;
    platform::syncFolder(folderOf(target));
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
        platform::FileKind existing = platform::statusOf(output->target).kind;
        if (existing == platform::FileKind::Directory) throw OutputError("is a directory", path);
        output->kind = existing == platform::FileKind::Other ? OutputKind::InPlace : OutputKind::Replaced;
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

void installTemporaryFileCleanup() { platform::callOnTermination(removeTemporaries); }

void injectReplaceFailureForTesting(ReplaceStep step, int error) {
    injectedFailure = {step, error};
}
