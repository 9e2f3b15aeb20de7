#pragma once

// Internal checks: failures the document library only produces when the
// document layout was broken underneath us. They stop the program with a
// fixed message naming the failed step.

#include <string_view>

namespace chat::doc {

[[noreturn]] void internal_check_failed(std::string_view step);

} // namespace chat::doc
