#include "ui/image/blob_source.h"

#include "blobstore/blobstore.h"

namespace orvo_ui::image_store {

std::string blob_address(std::string_view key_or_address)
{
    if (key_or_address.starts_with(blob_prefix)) return std::string(key_or_address);
    return std::string(blob_prefix) + std::string(key_or_address);
}

base::Result<std::vector<std::uint8_t>> load_blob(std::string_view address)
{
    auto key = address.starts_with(blob_prefix) ? address.substr(blob_prefix.size()) : address;
    if (!zozi::blobstore::is_valid_key(key)) return base::error("\"" + std::string(key) + "\" is not a content key");
    auto bytes = zozi::blobstore::get(key);
    if (!bytes) return base::error("shared content " + std::string(key) + " is unavailable");
    return std::move(*bytes);
}

} // namespace orvo_ui::image_store
