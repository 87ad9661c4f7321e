// The file operations on Windows: handles of CreateFileA, MoveFileExA,
// FlushFileBuffers, volume serial and file index numbers, and the console's
// control handler.
#include "app/platform/files.h"
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform {

struct FileAccess {
    static std::intptr_t& handle(File& file) { return file.handle; }
    static HANDLE of(const File& file) { return reinterpret_cast<HANDLE>(file.handle); }
};

namespace {

// Win32's own messages, for the errors the C library has no name for.
class Win32Category : public std::error_category {
public:
    const char* name() const noexcept override { return "win32"; }
    std::string message(int code) const override {
        char* text = nullptr;
        const DWORD length = FormatMessageA(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
            static_cast<DWORD>(code), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
        std::string message = length && text ? std::string(text, length) : "error " + std::to_string(code);
        if (text) LocalFree(text);
        // One line without the sentence's full stop, as errno's texts read.
        while (!message.empty() && std::strchr("\r\n .", message.back())) message.pop_back();
        return message;
    }
};

const std::error_category& win32Category() {
    static const Win32Category category;
    return category;
}

// The errors a user meets most, under the names (and so the texts) they
// have on POSIX systems, so that a message reads the same on both.
std::error_code systemError(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_BAD_PATHNAME: return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_CANNOT_MAKE: return std::make_error_code(std::errc::permission_denied);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return std::make_error_code(std::errc::file_exists);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return std::make_error_code(std::errc::no_space_on_device);
        case ERROR_NOT_SAME_DEVICE: return std::make_error_code(std::errc::cross_device_link);
        case ERROR_FILENAME_EXCED_RANGE: return std::make_error_code(std::errc::filename_too_long);
        case ERROR_BROKEN_PIPE:
        case ERROR_NO_DATA: return std::make_error_code(std::errc::broken_pipe);
        case ERROR_TOO_MANY_OPEN_FILES: return std::make_error_code(std::errc::too_many_files_open);
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return std::make_error_code(std::errc::not_enough_memory);
        default: return std::error_code(static_cast<int>(code), win32Category());
    }
}

std::error_code lastError() { return systemError(GetLastError()); }

// Every name of a file may be opened, renamed or deleted by others while
// this program holds it, as on POSIX systems.
const DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens an existing file or folder (backup semantics let a folder be opened
// to be asked about, as open() does on POSIX).
HANDLE openExisting(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, SHARE_ALL, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::error_code adopt(HANDLE handle, File& file) {
    if (handle == INVALID_HANDLE_VALUE) return lastError();
    file = File();
    FileAccess::handle(file) = reinterpret_cast<std::intptr_t>(handle);
    return {};
}

std::error_code statusOfHandle(HANDLE handle, FileStatus& status) {
    status = FileStatus();
    const DWORD type = GetFileType(handle);
    if (type != FILE_TYPE_DISK) {
        if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) return lastError();
        status.kind = FileKind::Other;  // a console, a pipe, NUL
        return {};
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info)) return lastError();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        status.kind = FileKind::Directory;
        return {};
    }
    status.kind = FileKind::Regular;
    status.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return {};
}

// Letters and digits for temporary names, from a counter mixed with the
// process id and the clock: unpredictable enough, and CREATE_NEW refuses
// a name that exists in any case.
void fillUniqueSuffix(char* suffix, unsigned attempt) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uint64_t seed = (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32) ^ GetTickCount64() ^
                         (static_cast<std::uint64_t>(attempt) * 0x9E3779B97F4A7C15ull);
    for (int i = 0; i < 6; ++i) {
        seed ^= seed >> 29;
        seed *= 0xBF58476D1CE4E5B9ull;
        seed ^= seed >> 32;
        suffix[i] = letters[seed % (sizeof letters - 1)];
    }
}

std::atomic<void (*)()> terminationCleanUp{nullptr};

// Runs on a thread of its own; answering FALSE lets the system's handler
// end the process as it would have without this one.
BOOL WINAPI cleanUpOnConsoleEvent(DWORD) {
    if (void (*cleanUp)() = terminationCleanUp.load()) cleanUp();
    return FALSE;
}

}  // namespace

File::~File() {
    if (isOpen()) CloseHandle(FileAccess::of(*this));
}

File::File(File&& other) noexcept : handle(other.handle) { other.handle = -1; }

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (isOpen()) CloseHandle(FileAccess::of(*this));
        handle = other.handle;
        other.handle = -1;
    }
    return *this;
}

bool File::isOpen() const { return handle != -1; }

std::error_code File::write(const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
        DWORD written = 0;
        if (!WriteFile(FileAccess::of(*this), data, chunk, &written, nullptr)) return lastError();
        if (written == 0) return std::make_error_code(std::errc::io_error);
        data += written;
        size -= written;
    }
    return {};
}

std::error_code File::read(char* data, std::size_t size, std::size_t& got) {
    const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
    DWORD read = 0;
    got = 0;
    if (!ReadFile(FileAccess::of(*this), data, chunk, &read, nullptr)) {
        // The writer of a pipe closing it is the pipe's end of file.
        if (GetLastError() == ERROR_BROKEN_PIPE) return {};
        return lastError();
    }
    got = read;
    return {};
}

std::error_code File::sync() {
    return FlushFileBuffers(FileAccess::of(*this)) ? std::error_code() : lastError();
}

std::error_code File::close() {
    HANDLE h = FileAccess::of(*this);
    handle = -1;
    return CloseHandle(h) ? std::error_code() : lastError();
}

FileStatus statusOf(const std::string& path) {
    FileStatus status;
    HANDLE handle = openExisting(path, 0);
    if (handle == INVALID_HANDLE_VALUE) return status;
    if (statusOfHandle(handle, status)) status = FileStatus();
    CloseHandle(handle);
    return status;
}

std::error_code statusOf(const File& file, FileStatus& status) { return statusOfHandle(FileAccess::of(file), status); }

std::error_code openForReading(const std::string& path, File& file) {
    return adopt(openExisting(path, GENERIC_READ), file);
}

std::error_code openForWritingInPlace(const std::string& path, File& file) {
    return adopt(openExisting(path, GENERIC_WRITE), file);
}

// Shared for deletion, so that a clean-up may remove the file while it is
// still being written: it goes when the last handle closes.
std::error_code createUniqueFile(char* pattern, File& file) {
    char* suffix = pattern + std::strlen(pattern) - 6;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        fillUniqueSuffix(suffix, attempt);
        HANDLE handle = CreateFileA(pattern, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return adopt(handle, file);
        if (GetLastError() != ERROR_FILE_EXISTS) return lastError();
    }
    return std::make_error_code(std::errc::file_exists);
}

// A new file takes the folder's permissions, as the replaced file had.
std::error_code takePermissionsFor(File&, const std::string&) { return {}; }

// Written through: the rename is on the disk when the call returns.
std::error_code replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? std::error_code()
               : lastError();
}

// MOVEFILE_WRITE_THROUGH has made the rename last already.
void syncFolder(const std::string&) {}

void removeFileQuietly(const char* path) { DeleteFileA(path); }

std::optional<std::string> fileIdentity(const std::string& path) {
    HANDLE handle = openExisting(path, 0);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!known) return std::nullopt;
    const std::uint64_t index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return "file " + std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(index);
}

void callOnTermination(void (*cleanUp)()) {
    terminationCleanUp = cleanUp;
    SetConsoleCtrlHandler(cleanUpOnConsoleEvent, TRUE);
}

void useBinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace platform
