#include "ui/image/image_store.h"

#include "ui/image/blob_source.h"

#include <condition_variable>
#include <exception>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace orvo_ui::image_store {

namespace {

constexpr std::string_view file_prefix = "file://";
// Files larger than this are not images we are willing to decode.
constexpr std::uintmax_t max_file_bytes = 256u * 1024 * 1024;

base::Result<std::vector<std::uint8_t>> read_file(std::string_view address)
{
    std::string path(address.starts_with(file_prefix) ? address.substr(file_prefix.size()) : address);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return base::error("cannot open " + path);
    in.seekg(0, std::ios::end);
    auto size = static_cast<std::uintmax_t>(in.tellg());
    if (size > max_file_bytes)
        return base::error(path + " is too large for an image");
    in.seekg(0);
    std::vector<std::uint8_t> bytes(size);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return base::error("cannot read " + path);
    return bytes;
}

} // namespace

struct ImageStore::State {
    struct Entry {
        ImageState state = ImageState::Pending;
        std::shared_ptr<DecodedImage const> image;
        std::string error;
        std::uint64_t generation = 0; // a forgotten source's late answer is dropped
        std::uint64_t last_used = 0;
    };

    mutable std::mutex mutex;
    std::condition_variable idle;
    std::map<std::string, Entry, std::less<>> entries;
    std::map<std::string, Loader, std::less<>> loaders;
    std::size_t in_flight = 0;
    std::uint64_t next_generation = 1;
    std::uint64_t use_clock = 0;
    std::size_t budget_bytes = 0;
    std::size_t ready_bytes = 0;

    static std::size_t bytes_of(DecodedImage const& image)
    {
        return static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
    }

    // Drops the least recently used decoded pictures until the budget holds;
    // the picture just used is kept even when it alone exceeds the budget.
    void evict_over_budget()
    {
        while (ready_bytes > budget_bytes) {
            auto oldest = entries.end();
            for (auto it = entries.begin(); it != entries.end(); ++it) {
                if (it->second.state == ImageState::Ready && it->second.last_used < use_clock
                    && (oldest == entries.end() || it->second.last_used < oldest->second.last_used))
                    oldest = it;
            }
            if (oldest == entries.end())
                return;
            ready_bytes -= bytes_of(*oldest->second.image);
            entries.erase(oldest);
        }
    }

    void finish(std::string const& source, std::uint64_t generation, base::Result<DecodedImage> result)
    {
        {
            std::lock_guard lock(mutex);
            --in_flight;
            auto it = entries.find(source);
            if (it != entries.end() && it->second.generation == generation) {
                if (result) {
                    it->second.state = ImageState::Ready;
                    it->second.image = std::make_shared<DecodedImage const>(std::move(result.value()));
                    it->second.last_used = ++use_clock;
                    ready_bytes += bytes_of(*it->second.image);
                    evict_over_budget();
                } else {
                    it->second.state = ImageState::Failed;
                    it->second.error = result.error();
                }
            }
        }
        idle.notify_all();
    }
};

std::string_view scheme_of(std::string_view address)
{
    auto sep = address.find("://");
    return sep == std::string_view::npos ? std::string_view() : address.substr(0, sep);
}

ImageStore::ImageStore(exec::Executor& executor) : m_state(std::make_shared<State>()), m_executor(executor)
{
    m_state->budget_bytes = default_memory_budget;
    m_state->loaders.emplace("", read_file);
    m_state->loaders.emplace("file", read_file);
    m_state->loaders.emplace(std::string(blob_scheme), load_blob);
}

ImageStore::~ImageStore() = default;

void ImageStore::register_loader(std::string scheme, Loader loader)
{
    std::lock_guard lock(m_state->mutex);
    m_state->loaders.insert_or_assign(std::move(scheme), std::move(loader));
}

ImageLookup ImageStore::get(std::string_view source)
{
    std::unique_lock lock(m_state->mutex);
    if (auto it = m_state->entries.find(source); it != m_state->entries.end()) {
        it->second.last_used = ++m_state->use_clock;
        return {it->second.state, it->second.image, it->second.error};
    }

    auto loader_it = m_state->loaders.find(scheme_of(source));
    State::Entry& entry = m_state->entries[std::string(source)];
    if (loader_it == m_state->loaders.end()) {
        entry.state = ImageState::Failed;
        entry.error = "no image loader for \"" + std::string(scheme_of(source)) + "://\"";
        return {entry.state, nullptr, entry.error};
    }
    entry.generation = m_state->next_generation++;
    ++m_state->in_flight;
    lock.unlock();

    m_executor.submit([state = m_state, loader = loader_it->second, address = std::string(source),
                          generation = entry.generation] {
        base::Result<std::vector<std::uint8_t>> bytes = base::error("image loader failed");
        try {
            bytes = loader(address);
        } catch (std::exception const& e) {
            bytes = base::error(std::string("image loader failed: ") + e.what());
        } catch (...) {
        }
        if (!bytes)
            return state->finish(address, generation, std::move(bytes).take_error());
        state->finish(address, generation, decode_image(bytes.value()));
    });
    return {ImageState::Pending, nullptr, {}};
}

void ImageStore::forget(std::string_view source)
{
    std::lock_guard lock(m_state->mutex);
    if (auto it = m_state->entries.find(source); it != m_state->entries.end()) {
        if (it->second.image)
            m_state->ready_bytes -= State::bytes_of(*it->second.image);
        m_state->entries.erase(it);
    }
}

void ImageStore::set_memory_budget(std::size_t bytes)
{
    std::lock_guard lock(m_state->mutex);
    m_state->budget_bytes = bytes;
    ++m_state->use_clock;
    m_state->evict_over_budget();
}

std::size_t ImageStore::decoded_bytes() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->ready_bytes;
}

std::size_t ImageStore::pending() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->in_flight;
}

bool ImageStore::block_until_idle(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_state->mutex);
    return m_state->idle.wait_for(lock, limit, [this] { return m_state->in_flight == 0; });
}

void paint_image_cover(Painter& painter, DecodedImage const& image, Rect const& r, double radius)
{
    if (r.empty() || image.width <= 0 || image.height <= 0 || !image.surface)
        return;
    double scale = std::max(r.width / image.width, r.height / image.height);
    double drawn_w = image.width * scale;
    double drawn_h = image.height * scale;
    cairo_t* cr = painter.cairo();
    auto clip = painter.clip(r, radius);
    cairo_save(cr);
    cairo_translate(cr, r.x + (r.width - drawn_w) / 2, r.y + (r.height - drawn_h) / 2);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, image.surface.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace orvo_ui::image_store
