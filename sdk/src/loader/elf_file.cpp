// Bounds-checked reads of a library file, and its segments' addresses.
#include "loader/elf_file.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

ElfFile::~ElfFile() {
    if (fd >= 0) ::close(fd);
}

bool ElfFile::open(const std::string& path, std::string& error) {
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failWith(error, "cannot open the file");
    struct stat status {};
    if (::fstat(fd, &status) != 0) return failWith(error, "cannot read the file");
    if (!S_ISREG(status.st_mode)) return failWith(error, "not a regular file");
    size = static_cast<uint64_t>(status.st_size);
    return true;
}

// A file that shrinks while it is read gives a short read, which refuses
// it like any other file that does not hold what its headers say.
bool ElfFile::read(uint64_t offset, void* out, uint64_t count) const {
    if (!holds(offset, count)) return false;
    char* bytes = static_cast<char*>(out);
    while (count > 0) {
        ssize_t got = ::pread(fd, bytes, static_cast<size_t>(count), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        offset += static_cast<uint64_t>(got);
        count -= static_cast<uint64_t>(got);
    }
    return true;
}

bool ElfFile::readBytes(uint64_t offset, uint64_t count, std::string& out) const {
    if (!holds(offset, count)) return false;
    out.assign(static_cast<size_t>(count), '\0');
    return count == 0 || read(offset, &out[0], count);
}

bool ElfSegments::fileOffset(uint64_t address, uint64_t count, uint64_t& offset) const {
    for (const Elf64_Phdr& segment : loads) {
        if (address < segment.p_vaddr) continue;
        uint64_t into = address - segment.p_vaddr;
        if (into > segment.p_filesz || count > segment.p_filesz - into) continue;
        offset = segment.p_offset + into;  // no overflow: the segment's file range was checked
        return true;
    }
    return false;
}

bool ElfSegments::mapsMemory(uint64_t address, uint64_t count) const {
    for (const Elf64_Phdr& segment : loads) {
        if (address < segment.p_vaddr) continue;
        uint64_t into = address - segment.p_vaddr;
        if (into <= segment.p_memsz && count <= segment.p_memsz - into) return true;
    }
    return false;
}

bool ElfSegments::isCode(uint64_t address) const {
    for (const Elf64_Phdr& segment : loads) {
        if ((segment.p_flags & PF_X) && address >= segment.p_vaddr && address - segment.p_vaddr < segment.p_filesz)
            return true;
    }
    return false;
}
