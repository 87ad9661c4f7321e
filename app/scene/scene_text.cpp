#include "app/scene/scene_text.h"
#include "app/platform/files.h"
#include "app/scene/limits.h"
#include "app/scene/scene_error.h"

namespace {

[[noreturn]] void failToRead(std::error_code error) { throw SceneError("cannot read: " + error.message()); }

[[noreturn]] void refuseSize() {
    throw SceneError("scene file larger than " + std::to_string(MAX_SCENE_FILE_BYTES >> 20) + " MiB (" +
                     std::to_string(MAX_SCENE_FILE_BYTES) + " bytes), the limit");
}

// Reads until the end of the file or until one byte more than the limit.
// `expected` bytes are made room for at once (a scene file is megabytes,
// and growing the text would copy it over and over).
std::string readAtMostLimit(platform::File& file, std::size_t expected) {
    std::string text;
    text.reserve(expected + 1);
    char buffer[65536];
    while (text.size() <= MAX_SCENE_FILE_BYTES) {
        std::size_t got = 0;
        if (std::error_code error = file.read(buffer, sizeof buffer, got)) failToRead(error);
        if (got == 0) return text;
        text.append(buffer, got);
    }
    refuseSize();
}

}  // namespace

std::string readSceneText(const std::string& path) {
    platform::File file;
    if (std::error_code error = platform::openForReading(path, file)) failToRead(error);
    platform::FileStatus status;
    if (std::error_code error = platform::statusOf(file, status)) failToRead(error);
    if (status.kind == platform::FileKind::Directory) throw SceneError("cannot read: is a directory");
    // A regular file's size is known up front: no need to read a huge one.
    if (status.kind == platform::FileKind::Regular && status.size > MAX_SCENE_FILE_BYTES) refuseSize();
    return readAtMostLimit(file, status.kind == platform::FileKind::Regular ? static_cast<std::size_t>(status.size) : 0);
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
