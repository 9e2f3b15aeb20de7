#pragma once

// "orvo-blob://<key>" addresses: pictures held by the process's shared content
// store (zozi::blobstore). The image store serves them without registration.

#include "base/result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo_ui::image_store {

inline constexpr std::string_view blob_scheme = "orvo-blob";
inline constexpr std::string_view blob_prefix = "orvo-blob://";

// The address of a content key; an address that already is one is kept as it is.
std::string blob_address(std::string_view key_or_address);

// The stored bytes of a blob address; an error when the key is malformed or the
// store does not hold intact bytes for it. Safe on any thread.
base::Result<std::vector<std::uint8_t>> load_blob(std::string_view address);

} // namespace orvo_ui::image_store
