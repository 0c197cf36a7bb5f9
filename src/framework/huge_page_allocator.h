#pragma once
// An allocator for the big buffers of million-row tables (row references, cell chunks, sort keys): a
// block of 2 MiB or more is mapped on its own and offered to the system as huge pages, so that filling
// it takes a few page faults instead of one for every 4 KiB — on some machines the faults cost more than
// the work. Smaller blocks come from the usual heap.
// Every buffer that grows with a table's rows belongs here, also a short-lived one: when the C library
// frees a block it mapped itself, it raises the size from which it maps blocks, and from then on the
// views' own per-row lists (Qt's row headers) grow by copying tens of megabytes on the window's thread
// instead of being remapped.
#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace qianyan {

void* allocateLarge(std::size_t bytes);
void freeLarge(void* block, std::size_t bytes);
// Gives back to the system the whole pages of [from, from + bytes), a part of a block from allocateLarge
// that is never read again (its rows were copied elsewhere); the block stays allocated until freed.
void releaseLarge(const void* from, std::size_t bytes);
inline constexpr std::size_t largeBlock = 2u << 20;

template <class T> struct HugePageAllocator {
    using value_type = T;
    HugePageAllocator() = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < largeBlock) return std::allocator<T>().allocate(n);
        return static_cast<T*>(allocateLarge(bytes));
    }
    void deallocate(T* p, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < largeBlock)
            std::allocator<T>().deallocate(p, n);
        else
            freeLarge(p, bytes);
    }
    template <class U> bool operator==(const HugePageAllocator<U>&) const noexcept { return true; }
};

template <class T> using LargeVector = std::vector<T, HugePageAllocator<T>>;

} // namespace qianyan
