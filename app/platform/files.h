// The file operations of the program that differ between operating systems:
// opening, reading and writing files, making a temporary file, replacing a
// file by renaming another onto it, telling whether two names reach one
// file, and removing temporary files when the user or the system ends the
// run. One implementation per platform (files_posix.cpp, files_windows.cpp),
// chosen by the build; everything above this header is the same on both.
//
// Errors are std::error_code values whose message() is the line's reason:
// on POSIX systems errno's text; on Windows the same text where the C
// library has an equivalent error (a missing file, a full disk, access
// denied), else the system's own message.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace platform {

// An open file of the system: a descriptor or a handle. Closed when dropped
// unless closed before; moved, never copied.
class File {
public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const;
    // Writes all of the bytes, resuming after short writes and interruptions.
    std::error_code write(const char* data, std::size_t size);
    // Reads at most `size` bytes into data; `got` is 0 at the end of the file.
    std::error_code read(char* data, std::size_t size, std::size_t& got);
    // Makes what was written last through a power cut.
    std::error_code sync();
    // Closes the file; its error, if any, is the last word on the writes.
    std::error_code close();

private:
    friend struct FileAccess;
    std::intptr_t handle = -1;
};

enum class FileKind { Missing, Regular, Directory, Other };

struct FileStatus {
    FileKind kind = FileKind::Missing;
    std::uint64_t size = 0;  // of a regular file
};

// What the path names, links followed. Missing also when the system cannot say.
FileStatus statusOf(const std::string& path);
// What an open file is.
std::error_code statusOf(const File& file, FileStatus& status);

// Opens an existing file for reading (a folder too, so that the caller can
// tell the user that it is one).
std::error_code openForReading(const std::string& path, File& file);
// Opens an existing file for writing from its start, without truncating or
// creating it: devices and pipes are written where they are.
std::error_code openForWritingInPlace(const std::string& path, File& file);

// Creates a new file for writing whose name is `pattern` with its last six
// characters ("XXXXXX") replaced, in place, so that no file of that name
// existed before. The name is written into `pattern` before the file is
// made, so a clean-up that reads it never misses the file.
std::error_code createUniqueFile(char* pattern, File& file);
// Gives a new file the permissions of the file it will replace, or those a
// newly created file would get when there is none (POSIX); Windows keeps
// its own defaults.
std::error_code takePermissionsFor(File& file, const std::string& replaced);
// Renames `from` onto `to`, replacing it in one step: readers see the old
// file or the new one, never a mix.
std::error_code replaceFile(const std::string& from, const std::string& to);
// Makes a rename in `folder` last through a power cut. Best effort: the new
// file is in place already.
void syncFolder(const std::string& folder);
// Removes a file. Safe to call from a signal or console handler: no
// allocation, no locks; errors are ignored.
void removeFileQuietly(const char* path);

// The file's identity, the same for every name of it (device and inode,
// volume and file index); none when the file does not exist or cannot be
// asked.
std::optional<std::string> fileIdentity(const std::string& path);

// Calls `cleanUp` when the user or the system ends the run: SIGINT,
// SIGTERM, SIGHUP or SIGPIPE, after which the process ends as the signal
// would have ended it; Ctrl-C, Ctrl-Break, a closed console, log-off or
// shut-down on Windows, after which the system ends it. cleanUp may only
// call removeFileQuietly. A write past the size limit of a file (SIGXFSZ)
// fails as an error instead of ending the process.
void callOnTermination(void (*cleanUp)());

// Standard output and error carry the bytes written to them unchanged
// (Windows would otherwise write "\n" as "\r\n").
void useBinaryStandardStreams();

}  // namespace platform
