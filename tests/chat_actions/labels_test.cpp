// Message labels: the author, then at most 72 characters of the trimmed
// text, the attachment's name or "Attachment"; and the text rules under them.

#include "demo_catalogue.h"

#include "actions/text.h"
#include "doc/messages.h"

namespace chat::test {
namespace {

std::string repeated(std::string_view piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

struct LabelCase {
    char const* name;
    std::string text;
    std::optional<Attachment> attachment;
    std::string expected; // after "Nell Yates: "
};

TEST_F(DemoCatalogue, MessageLabels)
{
    LabelCase const cases[] = {
        {"two-byte characters", repeated("ü", 100), std::nullopt, repeated("ü", 72)},
        {"four-byte characters", repeated("😀", 73), std::nullopt, repeated("😀", 72)},
        {"exactly 72", repeated("x", 72), std::nullopt, repeated("x", 72)},
        {"trimmed before counting", "   " + repeated("a", 80) + "  ", std::nullopt, repeated("a", 72)},
        {"unicode white space", "\u3000wide\u00a0\u2009", std::nullopt, "wide"},
        {"inner white space kept", " a \n b ", std::nullopt, "a \n b"},
        {"empty, no attachment", "", std::nullopt, "Attachment"},
        {"blank with a file", " \n ", FileAttachment{"notes.md", "", 10}, "notes.md"},
        {"long attachment name", "", ImageAttachment{repeated("é", 80) + ".png", "", 1, 1}, repeated("é", 72)},
        {"text wins over attachment", "see this", FileAttachment{"notes.md", "", 10}, "see this"},
    };
    int n = 0;
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        doc::NewMessage message;
        message.author = "u_nell";
        message.text = c.text;
        message.attachment = c.attachment;
        auto const id = "m_label" + std::to_string(n++);
        doc::insert_message(doc, "c_general", id, message);
        EXPECT_EQ(at("chat.message:" + id).label, "Nell Yates: " + c.expected);
    }
}

TEST(ActionText, TrimAndCountCharacters)
{
    struct Case {
        std::string text;
        std::string trimmed;
        std::string first_three;
    };
    Case const cases[] = {
        {"", "", ""},
        {" \t\r\n\v\f", "", " \t\r"},
        {"\u0085x\u2028", "x", "\u0085x\u2028"},
        {"\u200bzero-width\u200b", "\u200bzero-width\u200b", "\u200bze"}, // not white space
        {"日本語です", "日本語です", "日本語"},
        // A stray byte counts as one character and is not white space.
        {"\xff ab", "\xff ab", "\xff a"},
        {" a\xe2\x82", "a\xe2\x82", " a\xe2"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(text::trim_white_space(c.text), c.trimmed);
        EXPECT_EQ(text::first_characters(c.text, 3), c.first_three);
    }
}

TEST(ActionText, Utf8Validity)
{
    EXPECT_TRUE(text::is_valid_utf8("plain, 日本, 😀, \u00a0"));
    EXPECT_TRUE(text::is_valid_utf8("\xef\xbf\xbd")); // U+FFFD itself
    char const* const invalid[] = {"\xff", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "ab\xe2\x82"};
    for (auto const* bytes : invalid)
        EXPECT_FALSE(text::is_valid_utf8(bytes)) << testing::PrintToString(std::string(bytes));
}

} // namespace
} // namespace chat::test
