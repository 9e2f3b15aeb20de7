#include "crdt/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace crdt {

namespace {

std::size_t whole_pages(std::size_t bytes) { return (bytes + huge_page_size - 1) / huge_page_size * huge_page_size; }

} // namespace

void* allocate_huge(std::size_t bytes)
{
    auto const size = whole_pages(bytes);
    // Over-map by one page, then trim both ends to an aligned run.
    auto const mapped = size + huge_page_size;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    auto const start = reinterpret_cast<std::uintptr_t>(raw);
    auto const aligned = (start + huge_page_size - 1) / huge_page_size * huge_page_size;
    if (aligned > start)
        munmap(raw, aligned - start);
    if (auto const tail = start + mapped - (aligned + size); tail > 0)
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    // Only advice: without huge pages the memory works the same.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void free_huge(void* data, std::size_t bytes)
{
    if (data)
        munmap(data, whole_pages(bytes));
}

HugeRegion::HugeRegion(std::size_t bytes) : m_data(allocate_huge(bytes)), m_bytes(bytes) {}

HugeRegion::~HugeRegion() { free_huge(m_data, m_bytes); }

void* HugePageResource::do_allocate(std::size_t bytes, std::size_t alignment)
{
    if (bytes >= huge_page_size)
        return allocate_huge(bytes);
    return std::pmr::new_delete_resource()->allocate(bytes, alignment);
}

void HugePageResource::do_deallocate(void* data, std::size_t bytes, std::size_t alignment)
{
    if (bytes >= huge_page_size)
        free_huge(data, bytes);
    else
        std::pmr::new_delete_resource()->deallocate(data, bytes, alignment);
}

} // namespace crdt
