// Writing a run's outputs all or nothing: every regular file is first
// written whole to a temporary file beside it, then devices and pipes get
// theirs, then standard output, and only when all of that succeeded are
// the temporary files renamed into place. Readers see each file either as it
// was or complete, never in part; a run that fails leaves every file as it
// was. What remains possible: a crash or a failing rename between two
// renames leaves the files renamed so far replaced and the others not.
#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A write that did not happen. what() is the reason; path() the output it
// concerns ("-" for standard output), empty when the caller knows it.
class OutputError : public std::runtime_error {
public:
    explicit OutputError(const std::string& what, std::string path = "")
        : std::runtime_error(what), where(std::move(path)) {}
    const std::string& path() const { return where; }

private:
    std::string where;
};

// The output path "-" stands for standard output.
const char* const STDOUT_PATH = "-";

// Whether two paths reach one file: the same device and inode (volume and
// file index on Windows) where the file exists, else the same path once
// links are followed and the path is made absolute.
bool namesSameFile(const std::string& a, const std::string& b);

// Throws OutputError when writing `output` would replace `input`.
void refuseOverwritingInput(const std::string& output, const std::string& input);

// Writes the output's content into the stream it is given.
typedef std::function<void(std::ostream&)> OutputProducer;

class OutputSet {
public:
    // `stdoutStream` stands for standard output.
    explicit OutputSet(std::ostream& stdoutStream);
    // Removes the temporary files of a set that was not committed.
    ~OutputSet();
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // Plans `path` ("-": standard output), named `option` in messages.
    // Throws OutputError when it reaches the same file as an output planned
    // before, or is an empty path or a folder.
    void add(const std::string& path, const std::string& option, OutputProducer produce);
    // Text for standard output besides the outputs (a summary), written
    // after them and before any file is put in place.
    void addStandardOutputText(std::string text);
    // Writes everything as described at the top, in the order added.
    // Throws OutputError naming the output that failed; nothing is renamed
    // into place then.
    void commit();

private:
    struct Planned;
    std::ostream& stdoutStream;
    std::vector<std::unique_ptr<Planned>> planned;
    std::string stdoutText;
};

// One output written on its own, all or nothing (an OutputSet of one).
void writeFileAtomically(const std::string& path, const std::string& content, std::ostream& stdoutStream);

// While a run writes, its temporary files are known to a cleanup that
// removes them when SIGINT, SIGTERM, SIGHUP or SIGPIPE ends the process
// (which then ends as the signal would have ended it: quietly on a closed
// pipe), and an over-size write (SIGXFSZ) fails with an error instead of
// killing the process; on Windows when Ctrl-C, Ctrl-Break or the console's
// closing ends it. The program installs it once at start.
void installTemporaryFileCleanup();

// The steps of replacing a regular file. Tests make one of them fail to see
// that the previous file stays as it was and no temporary file remains.
enum class ReplaceStep { Create, Write, Sync, Close, Rename };
// Makes `step` of every following replacement fail with errno `error`;
// an error of 0 ends the injection.
void injectReplaceFailureForTesting(ReplaceStep step, int error);
