#pragma once

// An optional value kept on the heap. For large, rarely present members of
// records held by the hundred thousand: std::optional reserves the member's
// full size in every record, this reserves a pointer.

#include <memory>
#include <optional>
#include <utility>

namespace base {

template <class T>
class HeapOptional {
public:
    HeapOptional() = default;
    HeapOptional(std::nullopt_t) {}
    HeapOptional(T value) : m_value(std::make_unique<T>(std::move(value))) {}
    HeapOptional(std::optional<T> value)
    {
        if (value)
            m_value = std::make_unique<T>(std::move(*value));
    }
    HeapOptional(HeapOptional const& other) : m_value(other.m_value ? std::make_unique<T>(*other.m_value) : nullptr) {}
    HeapOptional(HeapOptional&&) noexcept = default;
    HeapOptional& operator=(HeapOptional const& other)
    {
        if (this != &other)
            m_value = other.m_value ? std::make_unique<T>(*other.m_value) : nullptr;
        return *this;
    }
    HeapOptional& operator=(HeapOptional&&) noexcept = default;

    bool has_value() const { return m_value != nullptr; }
    explicit operator bool() const { return has_value(); }
    T& operator*() { return *m_value; }
    T const& operator*() const { return *m_value; }
    T* operator->() { return m_value.get(); }
    T const* operator->() const { return m_value.get(); }
    void reset() { m_value.reset(); }
    std::optional<T> to_optional() const { return m_value ? std::optional<T>(*m_value) : std::nullopt; }

    friend bool operator==(HeapOptional const& a, HeapOptional const& b)
    {
        return a.has_value() == b.has_value() && (!a || *a == *b);
    }
    friend bool operator==(HeapOptional const& a, T const& b) { return a && *a == b; }
    friend bool operator==(HeapOptional const& a, std::optional<T> const& b)
    {
        return a.has_value() == b.has_value() && (!a || *a == *b);
    }
    friend bool operator==(HeapOptional const& a, std::nullopt_t) { return !a; }

private:
    std::unique_ptr<T> m_value;
};

} // namespace base
