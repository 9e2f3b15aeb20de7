// Fuzzes loading a file: any bytes either load or give an error, and
// whatever loads saves and loads again to the same heads.
#include "crdt/document.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    auto doc = crdt::Document::load(std::span(data, size));
    if (!doc) return 0;
    auto const heads = doc->heads();
    auto const saved = doc->save();
    auto again = crdt::Document::load(saved);
    if (!again) {
        std::fprintf(stderr, "a loaded document saved to bytes that do not load: %s\n", again.error().c_str());
        std::abort();
    }
    if (again->heads() != heads) {
        std::fprintf(stderr, "heads changed across save and load\n");
        std::abort();
    }
    return 0;
}
