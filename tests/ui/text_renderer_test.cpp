#include "ui/paint/painter.h"
#include "ui/text/rich_text.h"
#include "ui/text/text_boundaries.h"
#include "ui/text/text_renderer.h"

#include <gtest/gtest.h>

#include <cairo.h>

using namespace orvo_ui;

namespace {

TextStyle sized(double size, double width = 0, TextOverflow overflow = TextOverflow::Wrap)
{
    TextStyle s;
    s.size = size;
    s.width = width;
    s.overflow = overflow;
    return s;
}

struct Canvas {
    explicit Canvas(int w, int h)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)), cr(cairo_create(surface))
    {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    }
    ~Canvas()
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    // 0xRRGGBB of the pixel (opaque canvas).
    std::uint32_t pixel(int x, int y)
    {
        cairo_surface_flush(surface);
        auto* data = cairo_image_surface_get_data(surface);
        return *reinterpret_cast<std::uint32_t*>(data + y * cairo_image_surface_get_stride(surface) + 4 * x) & 0xFFFFFF;
    }
    cairo_surface_t* surface;
    cairo_t* cr;
};

} // namespace

TEST(TextRenderer, MeasuresByContentSizeWrapAndEllipsis)
{
    TextRenderer text;
    Size short_run = text.measure("Hello", sized(15));
    Size long_run = text.measure("Hello, and welcome to the channel", sized(15));
    EXPECT_GT(short_run.width, 20);
    EXPECT_GT(long_run.width, short_run.width * 3);
    EXPECT_NEAR(short_run.height, long_run.height, 0.01);

    // Bigger type is wider and taller.
    Size big = text.measure("Hello", sized(30));
    EXPECT_NEAR(big.width / short_run.width, 2.0, 0.15);
    EXPECT_GT(big.height, short_run.height * 1.8);

    // Wrapping to a narrow width adds lines and respects the width.
    Size wrapped = text.measure("Hello, and welcome to the channel", sized(15, 80));
    EXPECT_LE(wrapped.width, 80.01);
    EXPECT_GT(wrapped.height, 2.5 * short_run.height);

    // An ellipsis keeps one line within the width.
    Size cut = text.measure("Hello, and welcome to the channel", sized(15, 80, TextOverflow::Ellipsis));
    EXPECT_LE(cut.width, 80.01);
    EXPECT_NEAR(cut.height, short_run.height, 0.01);

    // Empty text is one line tall and no width; a line feed makes two lines.
    EXPECT_EQ(text.measure("", sized(15)).width, 0);
    EXPECT_NEAR(text.measure("", sized(15)).height, text.line_height(15), 1e-9);
    EXPECT_NEAR(text.measure("a\nb", sized(15)).height, 2 * text.line_height(15), 0.5);

    // Bold is wider than regular.
    TextStyle bold = sized(15);
    bold.weight = FontWeight::Bold;
    EXPECT_GT(text.measure("Workspace", bold).width, text.measure("Workspace", sized(15)).width);
}

TEST(TextRenderer, LayoutsAreCachedByTextSizeAndWidthAndDroppedWhenFontsChange)
{
    TextRenderer text;
    text.measure("cached", sized(14));
    std::size_t misses = text.cache().misses();
    text.measure("cached", sized(14));
    TextStyle coloured = sized(14);
    coloured.color = Color::rgb(0xFF0000); // colour is painted, not shaped
    text.measure("cached", coloured);
    EXPECT_EQ(text.cache().misses(), misses);
    EXPECT_EQ(text.cache().hits(), 2u);
    text.measure("cached", sized(14, 100));
    EXPECT_EQ(text.cache().misses(), misses + 1);

    auto revision = text.font_revision();
    text.set_font_families("DejaVu Sans");
    EXPECT_GT(text.font_revision(), revision);
    EXPECT_EQ(text.cache().size(), 0u);
}

TEST(TextRenderer, DrawsInTheStyleColour)
{
    Canvas canvas(120, 40);
    TextRenderer text;
    TextStyle style = sized(30);
    style.color = Color::rgb(0xFF0000);
    text.draw(canvas.cr, "■■■", {0, 0}, style);
    int red = 0;
    for (int x = 0; x < 120; ++x) {
        for (int y = 0; y < 40; ++y)
            red += canvas.pixel(x, y) == 0xFF0000;
    }
    EXPECT_GT(red, 50);
}

TEST(RichText, IgnoresSpansThatDoNotFitTheText)
{
    std::string text = "héllo @ada";
    richtext::Span good {7, 11, Color::rgb(0x3ECF8E)};
    richtext::Span splits_character {2, 4, Color::rgb(0xFF0000)}; // byte 2 is inside "é"
    richtext::Span past_end {7, 40, Color::rgb(0xFF0000)};
    richtext::Span backwards {5, 3, Color::rgb(0xFF0000)};
    auto layout = richtext::RichTextLayout::shape(text, {good, splits_character, past_end, backwards}, sized(15));
    ASSERT_EQ(layout.spans().size(), 1u);
    EXPECT_EQ(layout.spans()[0].start, 7u);
    EXPECT_NEAR(layout.height(), TextRenderer::shared().measure(text, sized(15)).height, 0.01);
}

TEST(RichText, PaintsSpanColourAndHighlightBackground)
{
    Canvas canvas(300, 40);
    TextRenderer text;
    std::string s = "plain ██████";
    richtext::Span mention {6, s.size(), Color::rgb(0x0000FF), Color::rgb(0x00FF00)};
    TextStyle base = sized(20);
    base.color = Color::rgb(0x000000);
    auto layout = richtext::RichTextLayout::shape(text, s, {mention}, base);
    text.draw_rich(canvas.cr, layout, {0, 0});
    int blue = 0, green = 0;
    for (int x = 0; x < 300; ++x) {
        for (int y = 0; y < 40; ++y) {
            blue += canvas.pixel(x, y) == 0x0000FF;
            green += canvas.pixel(x, y) == 0x00FF00;
        }
    }
    EXPECT_GT(blue, 40);
    EXPECT_GT(green, 10);
    // Wrapping a rich layout changes its height.
    auto narrow = richtext::RichTextLayout::shape(text, s, {mention}, sized(20, 60));
    EXPECT_GT(narrow.height(), layout.height() * 1.5);
}

TEST(TextBoundaries, CaretStopsSkipInsideGraphemeClusters)
{
    struct Case {
        char const* name;
        std::string text;
        std::vector<std::size_t> stops;
    } const cases[] = {
        {"ascii", "ab", {0, 1, 2}},
        {"combining acute", "e\u0301x", {0, 3, 4}},
        {"family ZWJ sequence", "\U0001F468\u200D\U0001F469\u200D\U0001F467!", {0, 18, 19}},
        {"two flags", "\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", {0, 8, 16}},
        {"crlf is one stop", "a\r\nb", {0, 1, 3, 4}},
    };
    for (auto const& c : cases)
        EXPECT_EQ(TextBoundaries(c.text).caret_stops(), c.stops) << c.name;
}
