#pragma once

// Replays an edit script (the JSON step lists of tests/interop/lib/script.mjs)
// onto a document through the crdt API, so both engines can make the same edits.

#include "base/result.h"
#include "crdt/document.h"

#include <cstdint>
#include <nlohmann/json.hpp>

namespace interop {

// Every change of the script is stamped with `time`, as the JS side does.
base::Result<void> apply_script(crdt::Document& doc, nlohmann::json const& script, std::int64_t time);

} // namespace interop
