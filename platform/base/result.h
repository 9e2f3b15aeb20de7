#pragma once

// The one result type for fallible work: a value, or an error text.
// Errors never cross module boundaries as exceptions.

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace base {

struct Error {
    std::string message;
};

inline Error error(std::string message) { return Error{std::move(message)}; }

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool has_value() const { return m_state.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() & { assert(has_value()); return std::get<0>(m_state); }
    T const& value() const& { assert(has_value()); return std::get<0>(m_state); }
    T&& value() && { assert(has_value()); return std::get<0>(std::move(m_state)); }
    T& operator*() & { return value(); }
    T const& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    T const* operator->() const { return &value(); }

    std::string const& error() const { assert(!has_value()); return std::get<1>(m_state).message; }
    Error take_error() && { assert(!has_value()); return std::get<1>(std::move(m_state)); }

private:
    std::variant<T, Error> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error.message)), m_failed(true) {}

    bool has_value() const { return !m_failed; }
    explicit operator bool() const { return has_value(); }
    std::string const& error() const { assert(m_failed); return m_error; }
    Error take_error() && { assert(m_failed); return Error{std::move(m_error)}; }

private:
    std::string m_error;
    bool m_failed = false;
};

// Propagates an error from a Result-returning expression; binds nothing.
#define TRY_VOID(expr)                                            \
    do {                                                          \
        auto&& _try_result = (expr);                              \
        if (!_try_result) return std::move(_try_result).take_error(); \
    } while (0)

} // namespace base
