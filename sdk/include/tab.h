// The host's growable table of plain values. Storage is one header block
// (count, capacity, elements) that is absent until the first append; an
// absent table counts as empty wherever a count is read.
#pragma once
#include <cstdlib>
#include <cstring>
#include <type_traits>

// Frees a block from the host's allocator and nulls the pointer.
void zfree(void** p);

struct TabHeader {
    int count;
    int capacity;
};

// Inserts num elements of size elSize at index at, growing the block so that
// at least `reserve` free elements remain. Growth is geometric (the stand-in's
// choice) so appending one element at a time stays linear overall. Returns
// the index of the first inserted element.
int TBInsertAt(TabHeader** header, int at, int num, const void* elements, int elSize, int reserve);
// Sets the element count, growing storage as needed; new elements are zeroed.
void TBSetCount(TabHeader** header, int count, int elSize);
void TBDelete(TabHeader** header, int start, int num, int elSize);

template <class T>
class Tab {
    static_assert(std::is_trivially_copyable<T>::value, "Tab holds plain values");

public:
    Tab() = default;
    Tab(const Tab& other) { *this = other; }
    Tab& operator=(const Tab& other) {
        if (this != &other) {
            ZeroCount();
            if (other.Count() > 0) Append(other.Count(), other.Addr(0));
        }
        return *this;
    }
    ~Tab() { zfree(reinterpret_cast<void**>(&th)); }

    int Count() const { return th ? th->count : 0; }
    int Capacity() const { return th ? th->capacity : 0; }
    bool HasStorage() const { return th != nullptr; }
    // Keeps the storage.
    void ZeroCount() { if (th) th->count = 0; }
    void SetCount(int n) { TBSetCount(&th, n, sizeof(T)); }
    int Append(int num, const T* el, int reserve = 1) {
        return TBInsertAt(&th, Count(), num, el, sizeof(T), reserve);
    }
    int Insert(int at, int num, const T* el) { return TBInsertAt(&th, at, num, el, sizeof(T), 1); }
    void Delete(int start, int num) { TBDelete(&th, start, num, sizeof(T)); }
    T& operator[](int i) { return Data()[i]; }
    const T& operator[](int i) const { return Data()[i]; }
    T* Addr(int i) { return Data() + i; }
    const T* Addr(int i) const { return Data() + i; }
    // Releases the storage: the table becomes absent again.
    void Free() { zfree(reinterpret_cast<void**>(&th)); }

private:
    T* Data() { return reinterpret_cast<T*>(th + 1); }
    const T* Data() const { return reinterpret_cast<const T*>(th + 1); }
    TabHeader* th = nullptr;
};

template <class T>
void zfree(Tab<T>& tab) { tab.Free(); }
