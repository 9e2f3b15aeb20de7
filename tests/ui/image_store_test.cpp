#include "ui/image/image_store.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <atomic>
#include <filesystem>
#include <fstream>

using namespace orvo_ui;
using namespace orvo_ui::image_store;
using namespace std::chrono_literals;

namespace {

// A real PNG (w x h, left half red, right half blue).
std::vector<std::uint8_t> png_bytes(int w, int h)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_rectangle(cr, 0, 0, w / 2.0, h);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_rectangle(cr, w / 2.0, 0, w / 2.0, h);
    cairo_fill(cr);
    cairo_destroy(cr);
    auto out = encode_png(s);
    cairo_surface_destroy(s);
    EXPECT_TRUE(out.has_value());
    return out.value();
}

std::uint32_t pixel(cairo_surface_t* s, int x, int y)
{
    cairo_surface_flush(s);
    auto* data = cairo_image_surface_get_data(s);
    return *reinterpret_cast<std::uint32_t*>(data + y * cairo_image_surface_get_stride(s) + 4 * x) & 0xFFFFFF;
}

ImageLookup wait_for(ImageStore& store, std::string const& source)
{
    EXPECT_TRUE(store.block_until_idle(5s));
    return store.get(source);
}

} // namespace

TEST(ImageStore, DecodesFromARegisteredSchemeOnAWorker)
{
    exec::Executor executor(2);
    ImageStore store(executor);
    std::atomic<int> calls = 0;
    store.register_loader("orvo-demo", [&](std::string_view address) -> base::Result<std::vector<std::uint8_t>> {
        ++calls;
        if (address != "orvo-demo://grid")
            return base::error("unknown demo picture");
        return png_bytes(64, 36);
    });
    EXPECT_EQ(store.get("orvo-demo://grid").state, ImageState::Pending);
    auto ready = wait_for(store, "orvo-demo://grid");
    ASSERT_EQ(ready.state, ImageState::Ready);
    EXPECT_EQ(ready.image->width, 64);
    EXPECT_EQ(ready.image->height, 36);
    EXPECT_EQ(pixel(ready.image->surface.get(), 5, 5), 0xFF0000u);
    EXPECT_EQ(pixel(ready.image->surface.get(), 60, 5), 0x0000FFu);
    EXPECT_FALSE(store.has_pending_work());
    store.get("orvo-demo://grid");
    EXPECT_EQ(calls, 1); // decoded once, then served from memory
}

TEST(ImageStore, FailuresAreReportedAndNotRetried)
{
    exec::Executor executor(1);
    ImageStore store(executor);
    std::atomic<int> calls = 0;
    store.register_loader("bad", [&](std::string_view address) -> base::Result<std::vector<std::uint8_t>> {
        ++calls;
        if (address == "bad://missing")
            return base::error("no such blob");
        if (address == "bad://throws")
            throw std::runtime_error("boom");
        return std::vector<std::uint8_t> {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    });
    struct Case {
        std::string source;
        std::string error_part;
    } const cases[] = {
        {"bad://missing", "no such blob"},
        {"bad://garbage", "cannot decode image"},
        {"bad://throws", "boom"},
        {"nowhere://x", "no image loader"},
        {"/definitely/not/here.png", "cannot open"},
    };
    for (auto const& c : cases)
        store.get(c.source);
    for (auto const& c : cases) {
        auto lookup = wait_for(store, c.source);
        EXPECT_EQ(lookup.state, ImageState::Failed) << c.source;
        EXPECT_NE(lookup.error.find(c.error_part), std::string::npos) << c.source << ": " << lookup.error;
    }
    int before = calls;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(store.get("bad://missing").state, ImageState::Failed);
    EXPECT_EQ(calls, before);
    store.forget("bad://missing");
    EXPECT_EQ(store.get("bad://missing").state, ImageState::Pending);
    EXPECT_TRUE(store.block_until_idle(5s));
}

TEST(ImageStore, ReadsFilesByPathAndBlockUntilIdleHonoursItsLimit)
{
    auto path = std::filesystem::temp_directory_path() / "orvo_ui_image_store_test.png";
    auto bytes = png_bytes(8, 8);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char const*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    exec::Executor executor(1);
    ImageStore store(executor);
    store.get(path.string());
    store.get("file://" + path.string());
    EXPECT_EQ(wait_for(store, path.string()).state, ImageState::Ready);
    EXPECT_EQ(wait_for(store, "file://" + path.string()).state, ImageState::Ready);
    std::filesystem::remove(path);

    std::atomic<bool> release = false;
    store.register_loader("slow", [&](std::string_view) -> base::Result<std::vector<std::uint8_t>> {
        while (!release)
            std::this_thread::sleep_for(1ms);
        return png_bytes(2, 2);
    });
    store.get("slow://one");
    EXPECT_TRUE(store.has_pending_work());
    EXPECT_FALSE(store.block_until_idle(30ms));
    release = true;
    EXPECT_TRUE(store.block_until_idle(5s));
    EXPECT_EQ(store.get("slow://one").state, ImageState::Ready);
}

TEST(ImageStore, PaintImageCoverFillsAndCropsCentred)
{
    // A 100x50 red|blue picture covering a 50x50 square keeps its middle: the
    // left half of the square red, the right half blue, nothing unpainted.
    auto image = decode_image(png_bytes(100, 50));
    ASSERT_TRUE(image.has_value());
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 70, 70);
    cairo_t* cr = cairo_create(target);
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_paint(cr);
    Theme theme = Theme::dark();
    Painter painter(cr, theme, {70, 70});
    paint_image_cover(painter, image.value(), {10, 10, 50, 50}, 0);
    EXPECT_EQ(pixel(target, 12, 35), 0xFF0000u);
    EXPECT_EQ(pixel(target, 57, 35), 0x0000FFu);
    EXPECT_EQ(pixel(target, 5, 35), 0x00FF00u);  // outside: untouched
    EXPECT_EQ(pixel(target, 20, 11), 0xFF0000u); // top edge covered, no letterbox
    // Rounded corners clip the picture.
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_paint(cr);
    paint_image_cover(painter, image.value(), {10, 10, 50, 50}, 20);
    EXPECT_EQ(pixel(target, 11, 11), 0x00FF00u);
    EXPECT_EQ(pixel(target, 12, 35), 0xFF0000u);
    cairo_destroy(cr);
    cairo_surface_destroy(target);
}

TEST(ImageStore, DropsLeastRecentlyUsedPicturesBeyondItsBudget)
{
    exec::Executor executor(1);
    ImageStore store(executor);
    store.set_memory_budget(2 * 10 * 10 * 4); // room for two 10x10 pictures
    std::atomic<int> loads = 0;
    store.register_loader("p", [&](std::string_view) -> base::Result<std::vector<std::uint8_t>> {
        ++loads;
        return png_bytes(10, 10);
    });
    for (char const* source : {"p://a", "p://b"}) {
        store.get(source);
        ASSERT_TRUE(store.block_until_idle(5s));
    }
    EXPECT_EQ(store.get("p://a").state, ImageState::Ready); // a is now the most recent
    store.get("p://c");
    ASSERT_TRUE(store.block_until_idle(5s));
    EXPECT_EQ(store.decoded_bytes(), 2u * 400);
    EXPECT_EQ(store.get("p://a").state, ImageState::Ready);
    EXPECT_EQ(store.get("p://c").state, ImageState::Ready);
    EXPECT_EQ(store.get("p://b").state, ImageState::Pending); // dropped, loading again
    ASSERT_TRUE(store.block_until_idle(5s));
    EXPECT_EQ(loads, 4);
}

TEST(ImageStore, AnswerForAForgottenSourceIsDropped)
{
    exec::Executor executor(1);
    ImageStore store(executor);
    std::atomic<bool> release = false;
    std::atomic<int> loads = 0;
    store.register_loader("slow", [&](std::string_view) -> base::Result<std::vector<std::uint8_t>> {
        if (++loads == 1) {
            while (!release)
                std::this_thread::sleep_for(1ms);
        }
        return png_bytes(2, 2);
    });
    store.get("slow://x");
    store.forget("slow://x");
    release = true;
    ASSERT_TRUE(store.block_until_idle(5s));
    EXPECT_EQ(store.decoded_bytes(), 0u);
    EXPECT_EQ(store.get("slow://x").state, ImageState::Pending); // loads afresh
    ASSERT_TRUE(store.block_until_idle(5s));
    EXPECT_EQ(store.get("slow://x").state, ImageState::Ready);
    EXPECT_EQ(loads, 2);
}

TEST(DecodedImage, FromRgbaRejectsBadSizes)
{
    std::vector<std::uint8_t> pixels(4 * 4 * 4, 0xFF);
    EXPECT_TRUE(DecodedImage::from_rgba(4, 4, 16, pixels).has_value());
    EXPECT_FALSE(DecodedImage::from_rgba(4, 5, 16, pixels).has_value());
    EXPECT_FALSE(DecodedImage::from_rgba(0, 4, 16, pixels).has_value());
    EXPECT_FALSE(DecodedImage::from_rgba(4, 4, 8, pixels).has_value());
    EXPECT_FALSE(decode_image({}).has_value());
}
