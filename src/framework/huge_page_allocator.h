#pragma once
// An allocator for the big buffers of million-row tables (row references, cell chunks, sort keys): a
// block of 2 MiB or more is mapped on its own and offered to the system as huge pages, so that filling
// it takes a few page faults instead of one for every 4 KiB — on some machines the faults cost more than
// the work. Smaller blocks come from the usual heap.
#include <cstddef>
#include <memory>
#include <new>

namespace qianyan {

void* allocateLarge(std::size_t bytes);
void freeLarge(void* block, std::size_t bytes);
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

} // namespace qianyan
