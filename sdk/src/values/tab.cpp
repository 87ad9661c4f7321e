#include "tab.h"
#include <new>

void zfree(void** p) {
    if (p && *p) {
        std::free(*p);
        *p = nullptr;
    }
}

// Grows the block so that it holds at least `needed` elements.
static void growTo(TabHeader** header, int needed, int elSize) {
    int capacity = *header ? (*header)->capacity : 0;
    if (needed <= capacity) return;
    int newCapacity = capacity > 0 ? capacity : 1;
    while (newCapacity < needed) newCapacity = newCapacity * 2;
    std::size_t bytes = sizeof(TabHeader) + static_cast<std::size_t>(newCapacity) * elSize;
    void* block = std::realloc(*header, bytes);
    if (!block) throw std::bad_alloc();
    bool fresh = *header == nullptr;
    *header = static_cast<TabHeader*>(block);
    if (fresh) (*header)->count = 0;
    (*header)->capacity = newCapacity;
}

static char* elements(TabHeader* header) { return reinterpret_cast<char*>(header + 1); }

int TBInsertAt(TabHeader** header, int at, int num, const void* el, int elSize, int reserve) {
    int count = *header ? (*header)->count : 0;
    if (at < 0 || at > count) at = count;
    if (num <= 0) return at;
    growTo(header, count + num + (reserve > 0 ? reserve : 0), elSize);
    char* base = elements(*header);
    std::memmove(base + static_cast<std::size_t>(at + num) * elSize,
                 base + static_cast<std::size_t>(at) * elSize,
                 static_cast<std::size_t>(count - at) * elSize);
    if (el)
        std::memcpy(base + static_cast<std::size_t>(at) * elSize, el, static_cast<std::size_t>(num) * elSize);
    else
        std::memset(base + static_cast<std::size_t>(at) * elSize, 0, static_cast<std::size_t>(num) * elSize);
    (*header)->count = count + num;
    return at;
}

void TBSetCount(TabHeader** header, int count, int elSize) {
    if (count < 0) count = 0;
    int old = *header ? (*header)->count : 0;
    if (count > old) {
        TBInsertAt(header, old, count - old, nullptr, elSize, 0);
    } else if (*header) {
        (*header)->count = count;
    }
}

void TBDelete(TabHeader** header, int start, int num, int elSize) {
    int count = *header ? (*header)->count : 0;
    if (start < 0 || num <= 0 || start >= count) return;
    if (start + num > count) num = count - start;
    char* base = elements(*header);
    std::memmove(base + static_cast<std::size_t>(start) * elSize,
                 base + static_cast<std::size_t>(start + num) * elSize,
                 static_cast<std::size_t>(count - start - num) * elSize);
    (*header)->count = count - num;
}
