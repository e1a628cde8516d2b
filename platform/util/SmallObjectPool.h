#pragma once
// Memory for the many small objects a library is made of (sub-items, custom
// values): carved from 1 MB chunks without malloc's per-object header and
// rounding, which cost a tenth of a loaded library. A freed object's memory
// is reused for the next object of its size, and once every object is freed
// the chunks are carved afresh from the first; chunks go back to the system
// only at exit. Thread-safe. Builds with AddressSanitizer take every object
// from operator new, so that each one stays checked on its own.

#include <cstddef>
#include <new>
#include <vector>

class CSmallObjectPool {
public:
    // Objects up to this size come from the pool, larger ones from operator new.
    static constexpr std::size_t MAX_POOLED_SIZE = 512;

    static void* Allocate(std::size_t size);
    // size must be the size given to Allocate.
    static void Free(void* memory, std::size_t size) noexcept;
};

// Gives a class (and every class derived from it) pool memory: derive from
// it or paste its two operators. Deleting through a base pointer needs a
// virtual destructor, which hands the dynamic size to operator delete.
struct CPooledObject {
    static void* operator new(std::size_t size) { return CSmallObjectPool::Allocate(size); }
    static void operator delete(void* memory, std::size_t size) noexcept { CSmallObjectPool::Free(memory, size); }
    // No state of its own: derived classes may default their comparisons.
    bool operator==(const CPooledObject&) const = default;
};

// Pool memory for a container's elements: the small arrays every item keeps
// (its sub-items, its custom values) then cost no malloc and no header.
// Arrays larger than MAX_POOLED_SIZE go to operator new as before.
template <class T> struct CPoolAllocator {
    static_assert(alignof(T) <= alignof(void*), "pool blocks are aligned for pointers");
    using value_type = T;

    CPoolAllocator() = default;
    template <class U> CPoolAllocator(const CPoolAllocator<U>&) noexcept { }

    T* allocate(std::size_t n)
    {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(CSmallObjectPool::Allocate(n * sizeof(T)));
    }
    void deallocate(T* memory, std::size_t n) noexcept { CSmallObjectPool::Free(memory, n * sizeof(T)); }

    // Every allocator of the one pool frees what any other allocated.
    template <class U> bool operator==(const CPoolAllocator<U>&) const noexcept { return true; }
};

template <class T> using CPooledVector = std::vector<T, CPoolAllocator<T>>;
