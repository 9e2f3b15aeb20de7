#pragma once

// Images by source address, decoded on background workers. `get` never blocks:
// it answers Pending until the picture is ready, then Ready; a source that
// cannot be loaded or decoded is Failed and stays failed (no retry loop) until
// `forget`. Loaders are registered per address scheme; an address without a
// scheme, or "file://", is read from the file system, and "orvo-blob://<key>"
// from the process's shared content store.

#include "ui/exec/executor.h"
#include "ui/image/decoded_image.h"
#include "ui/paint/painter.h"

#include "base/result.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvo_ui::image_store {

enum class ImageState { Pending, Ready, Failed };

struct ImageLookup {
    ImageState state = ImageState::Pending;
    std::shared_ptr<DecodedImage const> image; // set when Ready
    std::string error;                         // set when Failed
};

// Runs on a worker thread: must be safe to call concurrently. Answers the
// encoded bytes of the picture at `address` (the whole address, scheme included).
using Loader = std::function<base::Result<std::vector<std::uint8_t>>(std::string_view address)>;

class ImageStore {
public:
    static constexpr std::size_t default_memory_budget = 256u * 1024 * 1024;

    explicit ImageStore(exec::Executor& executor = exec::Executor::shared());
    ~ImageStore();
    ImageStore(ImageStore const&) = delete;
    ImageStore& operator=(ImageStore const&) = delete;

    // `scheme` without "://", e.g. "orvo-blob". Replaces an earlier loader.
    void register_loader(std::string scheme, Loader loader);

    // Starts loading on first request.
    ImageLookup get(std::string_view source);
    // Drops what is known about `source`, so the next `get` loads it again.
    void forget(std::string_view source);

    // Decoded pictures beyond this many bytes are dropped, least recently used
    // first; a dropped source simply loads again on its next `get`.
    void set_memory_budget(std::size_t bytes);
    std::size_t decoded_bytes() const;

    // Sources still being loaded or decoded.
    std::size_t pending() const;
    bool has_pending_work() const { return pending() > 0; }
    // Waits until nothing is pending or `limit` passes; answers whether idle.
    bool block_until_idle(std::chrono::milliseconds limit);

private:
    struct State;
    std::shared_ptr<State> m_state;
    exec::Executor& m_executor;
};

// The scheme of an address ("orvo-blob" for "orvo-blob://k"), empty when it has none.
std::string_view scheme_of(std::string_view address);

// Paints `image` scaled to cover `r` (cropping the overflow, centred), clipped
// to the rounded corners.
void paint_image_cover(Painter& painter, DecodedImage const& image, Rect const& r, double radius);

} // namespace orvo_ui::image_store
