#pragma once

// A borrowed reference to whatever document an application keeps, so that the
// registry and the executor need not know its type. Handlers get their own type back
// with get<T>(), which answers nothing when the reference holds another type.

#include <string>
#include <type_traits>
#include <typeinfo>

namespace orvo_actions::executor {

// The demangled name of a type, for error messages.
std::string readable_type_name(std::type_info const& type);

class DocumentRef {
public:
    // Constrained so that copying a DocumentRef copies it instead of wrapping it.
    template <typename T>
        requires(!std::is_same_v<std::remove_cv_t<T>, DocumentRef>)
    DocumentRef(T& document) : m_document(&document), m_type(&typeid(T)) {}

    template <typename T>
    T* get() const
    {
        if (*m_type != typeid(T)) return nullptr;
        return static_cast<T*>(m_document);
    }

    std::string type_name() const { return readable_type_name(*m_type); }

private:
    void* m_document;
    std::type_info const* m_type;
};

} // namespace orvo_actions::executor
