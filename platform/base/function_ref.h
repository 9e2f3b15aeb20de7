#pragma once

// A non-owning reference to a callable, for visitors called many times in a
// loop: no allocation, no copy of the callable, one indirect call. It must
// not outlive what it refers to.

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace base {

template <class Signature>
class FunctionRef;

template <class R, class... Args>
class FunctionRef<R(Args...)> {
public:
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> && std::is_invocable_r_v<R, F&, Args...>)
    FunctionRef(F&& f) noexcept
        : m_callable(const_cast<void*>(static_cast<void const*>(std::addressof(f))))
        , m_call([](void* callable, Args... args) -> R {
            return std::invoke(*static_cast<std::remove_reference_t<F>*>(callable), std::forward<Args>(args)...);
        })
    {
    }

    R operator()(Args... args) const { return m_call(m_callable, std::forward<Args>(args)...); }

private:
    void* m_callable;
    R (*m_call)(void*, Args...);
};

} // namespace base
