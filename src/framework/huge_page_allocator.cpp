#include "framework/huge_page_allocator.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace qianyan {

namespace {

std::size_t roundedUp(std::size_t bytes) {
    return (bytes + largeBlock - 1) / largeBlock * largeBlock;
}

} // namespace

void* allocateLarge(std::size_t bytes) {
    // Mapped with room to align the block to a huge page, the surplus returned at once.
    const std::size_t size = roundedUp(bytes);
    void* mapped =
        ::mmap(nullptr, size + largeBlock, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + largeBlock - 1) / largeBlock * largeBlock;
    if (aligned > start) ::munmap(mapped, aligned - start);
    if (const std::size_t tail = start + size + largeBlock - (aligned + size))
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void releaseLarge(const void* from, std::size_t bytes) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(from);
    const std::uintptr_t first = (start + page - 1) / page * page, end = (start + bytes) / page * page;
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

void freeLarge(void* block, std::size_t bytes) {
    ::munmap(block, roundedUp(bytes));
}

} // namespace qianyan
