#include "actions/document_ref.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace orvo_actions::executor {

std::string readable_type_name(std::type_info const& type)
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    if (status != 0 || !demangled) return type.name();
    return demangled.get();
}

} // namespace orvo_actions::executor
