#include "doc/internal_check.h"

#include <cstdio>
#include <cstdlib>

namespace chat::doc {

void internal_check_failed(std::string_view step)
{
    std::fprintf(stderr, "chat document: %.*s\n", static_cast<int>(step.size()), step.data());
    std::fflush(stderr);
    std::abort();
}

} // namespace chat::doc
