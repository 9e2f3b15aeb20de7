#include "ui/launch/window_loop.h"

#include "ui/a11y/access_json.h"
#include "ui/bound_dispatch/action_history.h"
#include "ui/bound_dispatch/bound_dispatch.h"
#include "ui/launch/notice_banner.h"
#include "ui/launch/sdl_input.h"
#include "ui/widget/clipboard.h"
#include "ui/persist/document_file.h"

#include <SDL.h>
#include <cairo.h>
#include <glib.h>
#include <spdlog/spdlog.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace orvo_ui::launch {

namespace {

Uint32 wake_event_type()
{
    static Uint32 type = SDL_RegisterEvents(1);
    return type;
}

// Longest sleep while idle; GLib sources (bus watches, D-Bus) are served at least this often.
constexpr int idle_wait_ms = 250;
// Animation frames are paced to about 60 per second when the display does not pace them.
constexpr auto frame_interval = std::chrono::milliseconds(16);

class Window {
public:
    explicit Window(WindowSettings const& s)
    {
        Uint32 flags = SDL_WINDOW_HIDDEN;
        if (s.resizable) flags |= SDL_WINDOW_RESIZABLE;
        if (s.borderless) flags |= SDL_WINDOW_BORDERLESS;
        if (s.always_on_top) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        if (s.high_dpi) flags |= SDL_WINDOW_ALLOW_HIGHDPI;
        scale = interface_scale_for(0);
        window = SDL_CreateWindow(s.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
            int(std::lround(s.initial_size.width * scale)), int(std::lround(s.initial_size.height * scale)), flags);
        if (!window) return;
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
        if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        SDL_ShowWindow(window);
    }
    ~Window()
    {
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
    }
    bool ok() const { return window && renderer; }

    // Logical size of the window's drawable area.
    Size logical_size() const
    {
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(renderer, &w, &h);
        return {w / scale, h / scale};
    }

    // The window's pointer coordinates per logical pixel (differs from `scale` on high-DPI Wayland).
    double pointer_scale() const
    {
        int ww = 0, wh = 0, dw = 0, dh = 0;
        SDL_GetWindowSize(window, &ww, &wh);
        SDL_GetRendererOutputSize(renderer, &dw, &dh);
        return ww > 0 ? scale * ww / dw : scale;
    }

    void present(Widget& root, Theme const& theme, NoticeBanner& banner)
    {
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(renderer, &w, &h);
        if (w <= 0 || h <= 0) return;
        if (!texture || w != texture_w || h != texture_h) {
            if (texture) SDL_DestroyTexture(texture);
            texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
            texture_w = w;
            texture_h = h;
        }
        void* pixels = nullptr;
        int pitch = 0;
        if (!texture || SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) {
            spdlog::error("frame loop: cannot lock the window texture: {}", SDL_GetError());
            return;
        }
        // SDL's ARGB8888 is Cairo's native-endian ARGB32.
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            static_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32, w, h, pitch);
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, scale, scale);
        Size size{w / scale, h / scale};
        Painter painter(cr, theme, size);
        painter.fill_rect(Rect{0, 0, size.width, size.height}, theme.window);
        root.draw(painter);
        banner.draw(painter, std::chrono::steady_clock::now());
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        SDL_UnlockTexture(texture);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }

    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int texture_w = 0;
    int texture_h = 0;
    double scale = 1.0;
};

// The window system's clipboard, through SDL.
class SdlClipboard final : public widget::Clipboard {
public:
    std::string text() const override
    {
        char* text = SDL_GetClipboardText();
        std::string out = text ? text : "";
        SDL_free(text);
        return out;
    }
    void set_text(std::string_view text) override { SDL_SetClipboardText(std::string(text).c_str()); }
};

// The first of `paths` that loads as a PNG becomes the window's icon.
void set_window_icon(SDL_Window* window, std::vector<std::string> const& paths)
{
    for (auto const& path : paths) {
        cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
        if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS) {
            // Cairo's ARGB32 is SDL's native-endian ARGB8888.
            SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(png),
                cairo_image_surface_get_width(png), cairo_image_surface_get_height(png), 32,
                cairo_image_surface_get_stride(png), SDL_PIXELFORMAT_ARGB8888);
            if (icon) {
                SDL_SetWindowIcon(window, icon);
                SDL_FreeSurface(icon);
                cairo_surface_destroy(png);
                return;
            }
        }
        spdlog::warn("cannot use {} as the window icon", path);
        cairo_surface_destroy(png);
    }
}

// Serves pending GLib sources without blocking, so GStreamer buses and D-Bus keep moving.
void iterate_glib()
{
    for (int i = 0; i < 64 && g_main_context_iteration(nullptr, FALSE); ++i) {
    }
}

} // namespace

void wake_frame_loop()
{
    // Without a running loop (tests, screenshots) SDL has no event queue to push to.
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    SDL_Event event{};
    event.type = wake_event_type();
    SDL_PushEvent(&event);
}

double interface_scale_for(int display_index)
{
    if (char const* env = std::getenv("ORVO_UI_SCALE"); env && *env) {
        char* end = nullptr;
        double value = std::strtod(env, &end);
        if (end && *end == '\0' && value >= 0.5 && value <= 4) return value;
        spdlog::warn("ORVO_UI_SCALE={} is not a number from 0.5 to 4; using the display's scale", env);
    }
    float ddpi = 0;
    if (SDL_GetDisplayDPI(display_index, &ddpi, nullptr, nullptr) == 0 && ddpi > 0) {
        // Snap to quarter steps so text renders crisply.
        return std::clamp(std::round(ddpi / 96.0 * 4) / 4, 1.0, 4.0);
    }
    return 1.0;
}

int run_window(WindowSettings const& settings, Widget& root, persist::DocumentFile& document,
               bound_dispatch::ActionHistory& history)
{
    // Each widget call that has the document lent to it runs inside a dispatch binding,
    // so what it dispatched lands in the history when the call ends.
    auto lend = [&](auto&& call) {
        bound_dispatch::DispatchBinding binding(document.document(), history);
        call(document.document());
        binding.finish(root.take_pending_report());
    };
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        spdlog::error("cannot open a window: {}", SDL_GetError());
        return 1;
    }
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    int status = 0;
    {
        Window window(settings);
        if (!window.ok()) {
            spdlog::error("cannot open a window: {}", SDL_GetError());
            SDL_Quit();
            return 1;
        }
        set_window_icon(window.window, settings.icon_paths);
        wake_event_type();
        SdlClipboard clipboard;
        widget::install_system_clipboard(&clipboard);
        SDL_StartTextInput();
        Theme theme = Theme::dark();
        auto const dump_path = access_dump_path();
        NoticeBanner banner;
        if (settings.notice) banner.show(*settings.notice, std::chrono::steady_clock::now());
        bool running = true;
        bool frame_due = true;
        auto last_frame = std::chrono::steady_clock::now() - frame_interval;
        while (running) {
            bool animating = root.needs_animation_frame();
            // Wake in time to take an expiring notice down.
            if (auto until = banner.expires(); until && std::chrono::steady_clock::now() >= *until) frame_due = true;
            SDL_Event event;
            bool have = frame_due || animating ? SDL_PollEvent(&event) : SDL_WaitEventTimeout(&event, idle_wait_ms);
            while (have) {
                if (event.type == SDL_QUIT) {
                    running = false;
                } else if (event.type == SDL_WINDOWEVENT) {
                    if (event.window.event == SDL_WINDOWEVENT_CLOSE) running = false;
                    frame_due = true;
                } else if (event.type == wake_event_type()) {
                    frame_due = true;
                }
                if (auto translated = translate_sdl_event(event, window.pointer_scale())) {
                    if (banner.consume(*translated)) {
                        frame_due = true;
                        have = SDL_PollEvent(&event);
                        continue;
                    }
                    lend([&](crdt::Document& doc) { root.handle_event(*translated, doc); });
                    frame_due = true;
                }
                have = SDL_PollEvent(&event);
            }
            iterate_glib();
            if (!running) break;
            if (!(frame_due || animating || root.take_needs_redraw())) continue;

            auto since = std::chrono::steady_clock::now() - last_frame;
            if (since < frame_interval) std::this_thread::sleep_for(frame_interval - since);
            last_frame = std::chrono::steady_clock::now();
            frame_due = false;

            lend([&](crdt::Document& doc) { root.sync(doc); });
            Size size = window.logical_size();
            if (auto laid = root.build_layout(size); !laid) {
                spdlog::error("layout failed: {}", laid.error());
                status = 1;
                break;
            }
            root.apply_layout(Rect{0, 0, size.width, size.height});
            window.present(root, theme, banner);
            if (dump_path)
                if (auto written = write_access_tree_if_changed(*dump_path, root.accessibility()); !written)
                    spdlog::error("cannot write the accessibility tree: {}", written.error());
            // Every change of this frame is on disk before the loop sleeps again.
            if (auto saved = document.save_changes(); !saved)
                spdlog::error("cannot save the document: {}", saved.error());
        }
        SDL_StopTextInput();
        widget::install_system_clipboard(nullptr);
    }
    SDL_Quit();
    return status;
}

} // namespace orvo_ui::launch
