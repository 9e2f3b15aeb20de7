#pragma once

// The two pictures the demo content shows, painted by the program itself and
// handed to the image store as PNG like any other source.

#include "base/result.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvo_ui::image_store {
class ImageStore;
}

namespace chat::views {

inline constexpr std::string_view demo_call_grid = "orvo-demo://call-grid";     // 640 × 360
inline constexpr std::string_view demo_shared_shot = "orvo-demo://shared-shot"; // 620 × 400

// PNG bytes of a demo picture; an error for an unknown address. Safe on any thread.
base::Result<std::vector<std::uint8_t>> paint_demo_picture(std::string_view address);

// Registers the "orvo-demo" loader.
void register_demo_pictures(orvo_ui::image_store::ImageStore& store);

} // namespace chat::views
