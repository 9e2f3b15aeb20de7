// Sending a message: the acceptance checks and the record written.

#include "doc/apply.h"
#include "doc/create.h"
#include "doc/read.h"
#include "doc/records/record_json.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace chat::doc {
namespace {

using namespace test;

std::string const blob(64, 'a');

// Two channels; "m_root" top level and "m_reply" answering it in "c_a";
// "m_elsewhere" in "c_b".
crdt::Document send_fixture()
{
    crdt::Document doc;
    create_channel(doc, "c_a", {"ws", "", "a", "", ChannelKind::Text, 0});
    create_channel(doc, "c_b", {"ws", "", "b", "", ChannelKind::Text, 1});
    apply_chat_action(doc, action::SendMessage{"c_a", "m_root", "u_me", 1, "root"});
    apply_chat_action(doc, action::SendMessage{"c_a", "m_reply", "u_me", 2, "reply", "m_root"});
    apply_chat_action(doc, action::SendMessage{"c_b", "m_elsewhere", "u_me", 3, "other"});
    return doc;
}

action::SendMessage valid_send()
{
    return action::SendMessage{"c_a", "m_new", "u_me", 10, "hello"};
}

struct SendCase {
    char const* name;
    std::function<void(action::SendMessage&)> change;
    bool accepted;
    friend void PrintTo(SendCase const& c, std::ostream* out) { *out << c.name; }
};

class SendValidation : public testing::TestWithParam<SendCase> {};

TEST_P(SendValidation, AcceptsOrDropsTheMessage)
{
    auto const& c = GetParam();
    auto doc = send_fixture();
    auto send = valid_send();
    c.change(send);
    auto const before = message_ids(doc, send.channel);
    auto const heads = doc.heads();
    apply_chat_action(doc, send);
    auto const after = message_ids(doc, send.channel);
    if (c.accepted) {
        ASSERT_EQ(after.size(), before.size() + 1);
        EXPECT_EQ(after.back(), send.id);
    } else {
        EXPECT_EQ(after, before);
        EXPECT_EQ(doc.heads(), heads);
    }
}

auto with_id(std::string id) { return [id](action::SendMessage& s) { s.id = id; }; }
auto with_text(std::size_t bytes) { return [bytes](action::SendMessage& s) { s.text = std::string(bytes, 'x'); }; }
auto with_parent(std::string parent) { return [parent](action::SendMessage& s) { s.parent = parent; }; }
auto with_attachment(Attachment a) { return [a](action::SendMessage& s) { s.attachment = a; }; }
auto image(std::string name, std::string ref, std::uint32_t w, std::uint32_t h) { return ImageAttachment{name, ref, w, h}; }
auto video(std::uint32_t w, std::uint32_t h, std::uint64_t size) { return VideoAttachment{"v.webm", blob, w, h, size}; }
auto file(std::uint64_t size) { return FileAttachment{"f.md", blob, size}; }

constexpr std::uint64_t mib32 = 33554432;

INSTANTIATE_TEST_SUITE_P(Cases, SendValidation, testing::Values(
    SendCase{"valid", [](auto&) {}, true},
    SendCase{"unknown_channel", [](auto& s) { s.channel = "c_gone"; }, false},
    SendCase{"empty_id", with_id(""), false},
    SendCase{"id_128_bytes", with_id(std::string(128, 'a')), true},
    SendCase{"id_129_bytes", with_id(std::string(129, 'a')), false},
    SendCase{"id_all_allowed_characters", with_id("aZ09_-"), true},
    SendCase{"id_with_dot", with_id("m.1"), false},
    SendCase{"id_with_space", with_id("m 1"), false},
    SendCase{"id_non_ascii", with_id("m_é"), false},
    SendCase{"id_taken_in_same_channel", with_id("m_root"), false},
    SendCase{"id_taken_in_other_channel", with_id("m_elsewhere"), false},
    SendCase{"text_65536_bytes", with_text(65536), true},
    SendCase{"text_65537_bytes", with_text(65537), false},
    SendCase{"reply_to_top_level", with_parent("m_root"), true},
    SendCase{"reply_to_reply", with_parent("m_reply"), false},
    SendCase{"reply_to_unknown_parent", with_parent("m_nowhere"), true},
    // The parent is looked up in the message's own channel only.
    SendCase{"reply_to_parent_in_other_channel", with_parent("m_elsewhere"), true},
    SendCase{"empty_parent_is_top_level", with_parent(""), true},
    SendCase{"image_ok", with_attachment(image("a.png", blob, 1, 16384)), true},
    SendCase{"image_h_zero", with_attachment(image("a.png", blob, 640, 0)), false},
    SendCase{"image_w_too_wide", with_attachment(image("a.png", blob, 16385, 1)), false},
    SendCase{"image_upper_case_blob", with_attachment(image("a.png", std::string(64, 'F'), 1, 1)), true},
    SendCase{"blob_63_digits", with_attachment(image("a.png", std::string(63, 'a'), 1, 1)), false},
    SendCase{"blob_not_hex", with_attachment(image("a.png", std::string(63, 'a') + "g", 1, 1)), false},
    SendCase{"blob_demo_reference", with_attachment(image("a.png", "orvo-demo://call-grid", 1, 1)), false},
    SendCase{"name_empty", with_attachment(image("", blob, 1, 1)), false},
    SendCase{"name_255_bytes", with_attachment(image(std::string(255, 'n'), blob, 1, 1)), true},
    SendCase{"name_256_bytes", with_attachment(image(std::string(256, 'n'), blob, 1, 1)), false},
    SendCase{"name_newline", with_attachment(image("a\nb.png", blob, 1, 1)), false},
    SendCase{"name_delete_char", with_attachment(image("a\x7f.png", blob, 1, 1)), false},
    SendCase{"name_c1_control", with_attachment(image("a\xc2\x85.png", blob, 1, 1)), false},
    SendCase{"name_nbsp_is_fine", with_attachment(image("a\xc2\xa0.png", blob, 1, 1)), true},
    SendCase{"video_without_size_in_pixels", with_attachment(video(0, 0, 100)), true},
    SendCase{"video_32_mib", with_attachment(video(1280, 720, mib32)), true},
    SendCase{"video_over_32_mib", with_attachment(video(1280, 720, mib32 + 1)), false},
    SendCase{"video_empty", with_attachment(video(1280, 720, 0)), false},
    SendCase{"video_too_tall", with_attachment(video(1, 16385, 100)), false},
    SendCase{"file_ok", with_attachment(file(1)), true},
    SendCase{"file_empty", with_attachment(file(0)), false},
    SendCase{"file_over_32_mib", with_attachment(file(mib32 + 1)), false}),
    [](auto const& info) { return std::string(info.param.name); });

TEST(SendMessage, WritesTheCompleteRecord)
{
    auto doc = send_fixture();
    auto send = valid_send();
    send.text = "hi @nell 🎉";
    send.parent = "m_root";
    send.mentions = {Mention{"u_nell", 3, 5, false}, Mention{"u_bot", 0, 2, true}};
    send.reference = ResourceRef{"doc", "d1", "Design doc", std::nullopt};
    send.attachment = VideoAttachment{"clip.webm", blob, 1280, 720, 4096};
    apply_chat_action(doc, send);

    auto const list = path(doc, {"messages", "c_a"});
    auto const m = object_at(doc, list, doc.length(list) - 1);
    EXPECT_EQ(read_string(doc, m, "id"), "m_new");
    EXPECT_EQ(read_string(doc, m, "author"), "u_me");
    EXPECT_EQ(read_integer(doc, m, "ts"), 10);
    EXPECT_EQ(read_string(doc, m, "parent"), "m_root");
    EXPECT_EQ(read_boolean(doc, m, "edited"), false);
    EXPECT_EQ(read_text(doc, m, "text"), "hi @nell 🎉");
    EXPECT_EQ(doc.length(object_at(doc, m, "reactions")), 0u);
    EXPECT_EQ(doc.length(object_at(doc, m, "history")), 0u);
    EXPECT_FALSE(has_key(doc, m, "work"));
    EXPECT_FALSE(has_key(doc, m, "pinned"));

    auto const mentions = object_at(doc, m, "mentions");
    ASSERT_EQ(doc.length(mentions), 2u);
    auto const second = object_at(doc, mentions, 1);
    EXPECT_EQ(read_string(doc, second, "user"), "u_bot");
    EXPECT_EQ(read_integer(doc, second, "start"), 0);
    EXPECT_EQ(read_integer(doc, second, "len"), 2);
    EXPECT_EQ(read_boolean(doc, second, "agent"), true);
    EXPECT_EQ(read_integer(doc, object_at(doc, mentions, 0), "start"), 3);

    auto const reference = read_string(doc, m, "reference");
    ASSERT_TRUE(reference.has_value());
    EXPECT_EQ(decode_record<ResourceRef>(*reference).value(), *send.reference);

    auto const attachment = object_at(doc, m, "attachment");
    EXPECT_EQ(read_string(doc, attachment, "kind"), "video");
    EXPECT_EQ(read_string(doc, attachment, "name"), "clip.webm");
    EXPECT_EQ(read_string(doc, attachment, "blob"), blob);
    EXPECT_EQ(read_integer(doc, attachment, "w"), 1280);
    EXPECT_EQ(read_integer(doc, attachment, "h"), 720);
    EXPECT_EQ(read_integer(doc, attachment, "size"), 4096);
}

TEST(SendMessage, TopLevelMessageStoresEmptyParentAndNoOptionalKeys)
{
    auto doc = send_fixture();
    apply_chat_action(doc, valid_send());
    auto const list = path(doc, {"messages", "c_a"});
    auto const m = object_at(doc, list, doc.length(list) - 1);
    EXPECT_EQ(read_string(doc, m, "parent"), "");
    EXPECT_FALSE(has_key(doc, m, "reference"));
    EXPECT_FALSE(has_key(doc, m, "attachment"));
    EXPECT_EQ(doc.length(object_at(doc, m, "mentions")), 0u);
}

TEST(SendMessage, AttachmentFormsStoreOnlyTheirFields)
{
    struct Row {
        Attachment attachment;
        char const* kind;
        std::vector<char const*> present;
        std::vector<char const*> absent;
    };
    std::vector<Row> const rows{
        {ImageAttachment{"i.png", blob, 3, 4}, "image", {"w", "h"}, {"size"}},
        {FileAttachment{"f.md", blob, 9}, "file", {"size"}, {"w", "h"}},
    };
    int n = 0;
    for (auto const& row : rows) {
        auto doc = send_fixture();
        auto send = valid_send();
        send.id = "m_att" + std::to_string(n++);
        send.attachment = row.attachment;
        apply_chat_action(doc, send);
        auto const list = path(doc, {"messages", "c_a"});
        auto const attachment = object_at(doc, object_at(doc, list, doc.length(list) - 1), "attachment");
        EXPECT_EQ(read_string(doc, attachment, "kind"), row.kind);
        for (auto key : row.present)
            EXPECT_TRUE(has_key(doc, attachment, key)) << row.kind << " " << key;
        for (auto key : row.absent)
            EXPECT_FALSE(has_key(doc, attachment, key)) << row.kind << " " << key;
    }
}

} // namespace
} // namespace chat::doc
