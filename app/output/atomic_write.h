// Writing an output file so that readers see either the previous file or
// the complete new one, never a part.
#pragma once
#include <iosfwd>
#include <stdexcept>
#include <string>

// A write that did not happen; what() is the reason, without the path.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The output path "-" stands for standard output.
const char* const STDOUT_PATH = "-";

// Whether two paths name one file: the same text, or one device and inode
// (through links). A path that does not exist names no other file.
bool namesSameFile(const std::string& a, const std::string& b);

// Throws OutputError when writing `output` would replace `input` (the same
// path, or another name of the same file).
void refuseOverwritingInput(const std::string& output, const std::string& input);

// Writes content to path: "-" goes to `stdoutStream`; an existing file that
// is not a regular file (a device, a pipe) is written in place; otherwise
// the content goes to a temporary file beside the target, which is then
// renamed over it (through a symbolic link, its target is replaced). On
// failure the temporary file is removed, the previous file is left as it
// was, and OutputError says why.
void writeFileAtomically(const std::string& path, const std::string& content, std::ostream& stdoutStream);

// The steps of replacing a regular file. Tests make one of them fail to see
// that the previous file stays as it was and no temporary file remains.
enum class ReplaceStep { Create, Write, Sync, Close, Rename };
// Makes `step` of every following replacement fail with errno `error`;
// an error of 0 ends the injection.
void injectReplaceFailureForTesting(ReplaceStep step, int error);
