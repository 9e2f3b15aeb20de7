#include "app/views/attachment_card_rules.h"

#include <gtest/gtest.h>

namespace chat::views {
namespace {

TEST(AttachmentCardSize, MediaAreaRules)
{
    struct Case {
        char const* name;
        Attachment attachment;
        double available;
        double z;
        double w;
        double h;
        double card;
    };
    Case cases[] = {
        {"wide image caps the width", ImageAttachment{"a", "k", 4000, 1000}, 500, 1, 380, 95, 119},
        {"tall image caps the height", ImageAttachment{"a", "k", 1000, 4000}, 500, 1, 52.5, 210, 234},
        {"narrow column", ImageAttachment{"a", "k", 640, 360}, 320, 1, 320, 180, 204},
        {"degenerate dimensions count as one", ImageAttachment{"a", "k", 0, 1}, 500, 1, 210, 210, 234},
        {"video with dimensions", VideoAttachment{"v", "k", 1280, 720, 10}, 500, 1, 1280 * 210.0 / 720, 210, 234},
        {"video without dimensions", VideoAttachment{"v", "k", 0, 0, 10}, 300, 1, 300, 168.75, 192.75},
        {"video without dimensions, wide column", VideoAttachment{"v", "k", 0, 0, 10}, 600, 1, 210 * 16.0 / 9, 210, 234},
        {"file", FileAttachment{"f", "k", 10}, 500, 1, 360, 58, 70},
        {"file at scale 2", FileAttachment{"f", "k", 10}, 200, 2, 200, 116, 140},
        {"image caption scales", ImageAttachment{"a", "k", 640, 360}, 320, 2, 320, 180, 228},
    };
    for (auto const& c : cases) {
        auto size = card_media_size(c.attachment, c.available, c.z);
        EXPECT_DOUBLE_EQ(size.width, c.w) << c.name;
        EXPECT_DOUBLE_EQ(size.height, c.h) << c.name;
        EXPECT_DOUBLE_EQ(card_height(c.attachment, c.available, c.z), c.card) << c.name;
    }
}

TEST(AttachmentCardText, SourcesLabelsAndCaptions)
{
    EXPECT_EQ(attachment_source("orvo-demo://call-grid"), "orvo-demo://call-grid");
    EXPECT_EQ(attachment_source("ab12"), "orvo-blob://ab12");
    EXPECT_EQ(attachment_source("orvo-blob://ab12"), "orvo-blob://ab12");
    EXPECT_EQ(attachment_resource("orvo-demo://shared-shot"), attachment_resource("orvo-demo://call-grid"));
    EXPECT_EQ(blob_state_label(0), "Decoding image…");
    EXPECT_EQ(blob_state_label(1), "Loading shared image…");
    EXPECT_EQ(blob_state_label(2), "Shared image unavailable");
    EXPECT_EQ(caption_detail(ImageAttachment{"a", "k", 640, 360}), "640×360");
    EXPECT_EQ(caption_detail(VideoAttachment{"v", "k", 0, 0, 1536}), "video · 1.5 KB");
    EXPECT_EQ(caption_detail(VideoAttachment{"v", "k", 1280, 720, 1536}), "1280×720 · 1.5 KB");
}

} // namespace
} // namespace chat::views
