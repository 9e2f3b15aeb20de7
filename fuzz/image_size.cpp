// Fuzzes reading picture sizes from headers: any bytes give a size or nothing,
// never a read past the end, and a size is never zero on either side.
#include "blobstore/image_size.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    auto found = zozi::blobstore::image_size(std::span(data, size));
    if (found && (found->width == 0 || found->height == 0)) std::abort();
    return 0;
}
