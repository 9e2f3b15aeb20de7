#pragma once

// Memory for the large tables a document reads at random (its ops and its
// objects), in transparent huge pages where the system offers them: a document
// of millions of ops spans hundreds of megabytes, and in 4 KiB pages nearly
// every read across it would also miss the TLB.

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <utility>

namespace crdt {

inline constexpr std::size_t huge_page_size = std::size_t(2) << 20;

// An anonymous mapping of whole huge pages, aligned to one, zero-filled.
class HugeRegion {
public:
    explicit HugeRegion(std::size_t bytes); // throws std::bad_alloc
    ~HugeRegion();
    HugeRegion(HugeRegion&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_bytes(std::exchange(other.m_bytes, 0)) {}
    HugeRegion& operator=(HugeRegion&& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_bytes, other.m_bytes);
        return *this;
    }

    void* data() const { return m_data; }
    std::size_t size() const { return m_bytes; }

private:
    void* m_data = nullptr;
    std::size_t m_bytes = 0;
};

void* allocate_huge(std::size_t bytes);
void free_huge(void* data, std::size_t bytes);

// Allocations of several huge pages or more go to huge pages; smaller ones,
// as most documents' tables are, stay ordinary.
template <class T>
struct LargeTableAllocator {
    using value_type = T;
    static constexpr std::size_t threshold = 2 * huge_page_size;

    LargeTableAllocator() = default;
    template <class U>
    LargeTableAllocator(LargeTableAllocator<U> const&) {}

    T* allocate(std::size_t n)
    {
        if (n * sizeof(T) >= threshold)
            return static_cast<T*>(allocate_huge(n * sizeof(T)));
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* data, std::size_t n)
    {
        if (n * sizeof(T) >= threshold)
            free_huge(data, n * sizeof(T));
        else
            std::allocator<T>().deallocate(data, n);
    }
    template <class U>
    bool operator==(LargeTableAllocator<U> const&) const { return true; }
};

// A memory resource giving requests of a huge page or more whole huge pages,
// and smaller ones ordinary memory.
class HugePageResource final : public std::pmr::memory_resource {
private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* data, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(std::pmr::memory_resource const& other) const noexcept override { return this == &other; }
};

} // namespace crdt
