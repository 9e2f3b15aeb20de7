// Running the actions resources offer: what each produces, the parameter's
// trimming and defaults, refusals of empty entries, and toggles that follow
// the document.

#include "demo_catalogue.h"

#include "doc/apply.h"
#include "model/messages.h"

namespace chat::test {
namespace {

using Strings = std::vector<std::string>;

struct FixedCase {
    char const* address;
    char const* id;
    Produced expected;
    bool destructive = false;
};

TEST_F(DemoCatalogue, ActionsWithoutParameter)
{
    operation::RevealMessage const reveal_concept{"ws_acme", "c_crit", "m_concept", std::nullopt};
    FixedCase const cases[] = {
        {"chat.person:u_nell", "open", produced(operation::OpenPerson{"u_nell"})},
        {"chat.workspace:ws_orvo", "open", produced(operation::OpenWorkspace{"ws_orvo"})},
        {"chat.channel:c_crit", "open", produced(operation::OpenChannel{"ws_acme", "c_crit"})},
        {"chat.channel:c_crit", "archive", produced(action::ArchiveChannel{"c_crit", true})},
        // Eight top-level messages; the three thread replies do not count.
        {"chat.channel:c_crit", "mark-read", produced(action::MarkRead{"c_crit", "u_me", 8})},
        {"chat.channel:c_crit", "delete", produced(action::DeleteChannel{"c_crit"}), true},
        {"chat.call:c_warroom", "open", produced(operation::OpenChannel{"ws_orvo", "c_warroom"})},
        {"chat.call:c_huddle", "join", produced(action::JoinCall{"c_huddle", "u_me"})},
        {"chat.category:cat_orvo_eng", "open", produced(operation::OpenCategory{"ws_orvo", "cat_orvo_eng"})},
        {"chat.category:cat_orvo_eng", "collapse", produced(action::SetCategoryCollapsed{"cat_orvo_eng", true})},
        {"chat.category:cat_orvo_eng", "delete", produced(action::DeleteCategory{"cat_orvo_eng"}), true},
        {"chat.message:m_concept", "open", produced(reveal_concept)},
        {"chat.message:m_concept", "pin", produced(action::PinMessage{"c_crit", "m_concept", true})},
        {"chat.message:m_concept", "delete", produced(action::DeleteMessage{"c_crit", "m_concept"}), true},
        {"chat.reaction:m_concept:❤️", "open-message", produced(reveal_concept)},
        {"chat.reaction:m_concept:❤️", "remove",
         produced(action::RemoveReaction{"c_crit", "m_concept", "❤️", "u_me"})},
        {"chat.reaction:m_concept:🔥", "add", produced(action::AddReaction{"c_crit", "m_concept", "🔥", "u_me"})},
        {"chat.attachment:m_concept", "open-message", produced(reveal_concept)},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.address) + "#" + c.id);
        auto const resource = at(c.address);
        auto const* offered = resource.action(c.id);
        ASSERT_NE(offered, nullptr);
        EXPECT_FALSE(offered->parameter.has_value());
        EXPECT_EQ(offered->is_destructive, c.destructive);
        EXPECT_EQ(offered->operation_type, c.expected.type);
        auto const ran = run(resource, c.id);
        ASSERT_TRUE(ran.has_value()) << ran.error();
        EXPECT_EQ(*ran, c.expected);
    }
}

TEST_F(DemoCatalogue, ReplyRevealsItsThread)
{
    auto const messages = channel_messages(doc, "c_crit");
    auto const reply = std::find_if(messages.begin(), messages.end(), [](Message const& m) { return m.parent; });
    ASSERT_NE(reply, messages.end());
    auto const resource = at("chat.message:" + reply->id);
    EXPECT_EQ(resource.label, "Rune Hale: Should the chips show a mic-level ring when someone's talking?");
    // The reply's id is a new one, so the payload is decoded instead of masked.
    auto const encoded = resource.action("open")->encode();
    ASSERT_TRUE(encoded.has_value()) << encoded.error();
    auto const reveal = decode_chat_operation(encoded->payload);
    ASSERT_TRUE(reveal.has_value()) << reveal.error();
    EXPECT_EQ(*reveal, (ChatOperation{operation::RevealMessage{"ws_acme", "c_crit", reply->id, "m_concept"}}));
}

struct ParameterCase {
    char const* address;
    char const* id;
    char const* label;
    char const* placeholder;
    OperationType type = OperationType::Ordinary;
};

TEST_F(DemoCatalogue, ParametersAreDescribed)
{
    ParameterCase const cases[] = {
        {"chat.workspace:ws_acme", "new-channel", "Name", "channel name…"},
        {"chat.workspace:ws_acme", "new-category", "Name", "category name…"},
        {"chat.channel:c_crit", "post", "Message", "type a message…"},
        {"chat.channel:c_crit", "attach", "File path", "/var/workspace/report.pdf", OperationType::Effect},
        {"chat.channel:c_crit", "rename", "Name", "channel name…"},
        {"chat.category:cat_acme_main", "rename", "Name", "category name…"},
        {"chat.message:m_me1", "edit", "Message", "new text…"},
        {"chat.message:m_me1", "react", "Emoji", "👍"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.address) + "#" + c.id);
        auto const resource = at(c.address);
        auto const* offered = resource.action(c.id);
        ASSERT_NE(offered, nullptr);
        ASSERT_TRUE(offered->parameter.has_value());
        EXPECT_EQ(*offered->parameter, (orvo_actions::resource::TextParameter{"value", c.label, c.placeholder}));
        EXPECT_EQ(offered->operation_type, c.type);
        EXPECT_FALSE(offered->is_destructive);
    }
}

struct EncoderCase {
    char const* address;
    char const* id;
    std::optional<std::string> value; // absent: no argument at all
    std::optional<Produced> expected;
    char const* error = ""; // part of the error when nothing is expected
};

TEST_F(DemoCatalogue, ParameterisedActionsTrimAndDefault)
{
    auto const new_channel = [](char const* name) {
        return produced(action::CreateChannel{"ws_acme", "", "<new>", name, ChannelKind::Text});
    };
    auto const new_category = [](char const* name) {
        return produced(action::CreateCategory{"ws_acme", "<new>", name});
    };
    action::SendMessage post{.channel = "c_crit", .id = "<new>", .author = "u_me", .ts = demo_now};
    post.text = "hi @nell yates and @RUNE HALE!";
    post.mentions = {{"u_nell", 3, 11, false}, {"u_rune", 19, 10, false}};

    EncoderCase const cases[] = {
        {"chat.workspace:ws_acme", "new-channel", std::nullopt, new_channel("new-channel")},
        {"chat.workspace:ws_acme", "new-channel", "", new_channel("new-channel")},
        {"chat.workspace:ws_acme", "new-channel", " \t\u00a0\u3000\n", new_channel("new-channel")},
        {"chat.workspace:ws_acme", "new-channel", "  launch plan \n", new_channel("launch plan")},
        {"chat.workspace:ws_acme", "new-category", "", new_category("New Category")},
        {"chat.workspace:ws_acme", "new-category", "  Ops ", new_category("Ops")},
        {"chat.channel:c_crit", "post", " hi @nell yates and @RUNE HALE! \n", produced(post)},
        {"chat.channel:c_crit", "post", "  \n ", std::nullopt, "the message text is empty"},
        {"chat.channel:c_crit", "post", "bad \xff byte", std::nullopt, "not valid UTF-8"},
        {"chat.channel:c_crit", "attach", " /tmp/report.pdf ",
         produced(operation::ImportAttachment{"c_crit", "/tmp/report.pdf"}, OperationType::Effect)},
        {"chat.channel:c_crit", "attach", std::nullopt, std::nullopt, "the file path is empty"},
        {"chat.channel:c_crit", "rename", " crit\t", produced(action::RenameChannel{"c_crit", "crit"})},
        {"chat.channel:c_crit", "rename", " ", std::nullopt, "the channel name is empty"},
        {"chat.category:cat_acme_voice", "rename", " Calls ", produced(action::RenameCategory{"cat_acme_voice", "Calls"})},
        {"chat.category:cat_acme_voice", "rename", "", std::nullopt, "the category name is empty"},
        {"chat.message:m_me1", "edit", " better ", produced(action::EditMessage{"c_crit", "m_me1", "better", demo_now})},
        {"chat.message:m_me1", "edit", "", std::nullopt, "the message text is empty"},
        {"chat.message:m_me1", "react", " 🎉 ", produced(action::AddReaction{"c_crit", "m_me1", "🎉", "u_me"})},
        {"chat.message:m_me1", "react", std::nullopt, std::nullopt, "the emoji is empty"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.address) + "#" + c.id + " with \"" + c.value.value_or("<absent>") + "\"");
        ActionArguments arguments;
        if (c.value)
            arguments.emplace("value", *c.value);
        auto const ran = run(at(c.address), c.id, arguments);
        if (c.expected) {
            ASSERT_TRUE(ran.has_value()) << ran.error();
            EXPECT_EQ(*ran, *c.expected);
        } else {
            ASSERT_FALSE(ran.has_value()) << *ran;
            EXPECT_NE(ran.error().find(c.error), std::string::npos) << ran.error();
        }
    }
}

TEST_F(DemoCatalogue, EveryRunMakesAFreshId)
{
    auto const workspace = at("chat.workspace:ws_acme");
    auto const* offered = workspace.action("new-channel");
    ASSERT_NE(offered, nullptr);
    auto const first = offered->encode({{"value", "a"}});
    auto const second = offered->encode({{"value", "a"}});
    ASSERT_TRUE(first.has_value() && second.has_value());
    EXPECT_NE(first->payload, second->payload);
    EXPECT_EQ(with_new_ids_masked(first->payload), with_new_ids_masked(second->payload));
}

struct ToggleCase {
    std::vector<ChatAction> setup;
    char const* address;
    char const* id;
    char const* label;
    Produced expected;
};

TEST_F(DemoCatalogue, TogglesOfferTheOppositeState)
{
    ToggleCase const cases[] = {
        {{action::ArchiveChannel{"c_random", true}}, "chat.channel:c_random", "unarchive", "Unarchive channel",
         produced(action::ArchiveChannel{"c_random", false})},
        {{action::SetCategoryCollapsed{"cat_acme_main", true}}, "chat.category:cat_acme_main", "expand",
         "Expand category", produced(action::SetCategoryCollapsed{"cat_acme_main", false})},
        {{action::PinMessage{"c_crit", "m_me1", true}}, "chat.message:m_me1", "unpin", "Unpin message",
         produced(action::PinMessage{"c_crit", "m_me1", false})},
        {{action::RemoveReaction{"c_crit", "m_concept", "❤️", "u_me"}}, "chat.reaction:m_concept:❤️", "add",
         "Add my reaction", produced(action::AddReaction{"c_crit", "m_concept", "❤️", "u_me"})},
        {{action::JoinCall{"c_huddle", "u_me"}}, "chat.call:c_huddle", "leave", "Leave call",
         produced(action::LeaveCall{"c_huddle", "u_me"})},
        {{action::JoinCall{"c_huddle", "u_me"}}, "chat.call:c_huddle", "mute", "Mute",
         produced(action::SetCallState{"c_huddle", "u_me", false, true, false, false})},
        {{action::JoinCall{"c_huddle", "u_me"}}, "chat.call:c_huddle", "deafen", "Deafen",
         produced(action::SetCallState{"c_huddle", "u_me", false, false, true, false})},
        {{action::JoinCall{"c_huddle", "u_me"}}, "chat.call:c_huddle", "audio-only", "Audio only",
         produced(action::SetCallState{"c_huddle", "u_me", false, false, false, true})},
        // Each toggle flips its own flag and keeps the others, talking included.
        {{action::SetCallState{"c_huddle", "u_me", true, true, true, true}}, "chat.call:c_huddle", "unmute", "Unmute",
         produced(action::SetCallState{"c_huddle", "u_me", true, false, true, true})},
        {{action::SetCallState{"c_huddle", "u_me", true, true, true, true}}, "chat.call:c_huddle", "undeafen",
         "Undeafen", produced(action::SetCallState{"c_huddle", "u_me", true, true, false, true})},
        {{action::SetCallState{"c_huddle", "u_me", true, false, false, true}}, "chat.call:c_huddle", "enable-camera",
         "Enable camera", produced(action::SetCallState{"c_huddle", "u_me", true, false, false, false})},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.address) + "#" + c.id);
        crdt::Document fresh;
        doc::seed_demo(fresh);
        for (auto const& setup : c.setup)
            doc::apply_chat_action(fresh, setup);
        auto const resource = resource_at(fresh, c.address, context);
        ASSERT_TRUE(resource.has_value());
        auto const* offered = resource->action(c.id);
        ASSERT_NE(offered, nullptr) << testing::PrintToString(actions_of(*resource));
        EXPECT_EQ(offered->label, c.label);
        auto const ran = run(*resource, c.id);
        ASSERT_TRUE(ran.has_value()) << ran.error();
        EXPECT_EQ(*ran, c.expected);
    }
}

TEST_F(DemoCatalogue, CallActionsFollowMembership)
{
    auto const call_actions = [&] {
        Strings ids;
        for (auto const& offered : at("chat.call:c_huddle").actions)
            ids.push_back(offered.id);
        return ids;
    };
    EXPECT_EQ(call_actions(), (Strings{"open", "join"}));
    doc::apply_chat_action(doc, action::JoinCall{"c_huddle", "u_me"});
    EXPECT_EQ(call_actions(), (Strings{"open", "leave", "mute", "deafen", "audio-only"}));
    doc::apply_chat_action(doc, action::SetCallState{"c_huddle", "u_me", false, true, true, true});
    EXPECT_EQ(call_actions(), (Strings{"open", "leave", "unmute", "undeafen", "enable-camera"}));
    doc::apply_chat_action(doc, action::LeaveCall{"c_huddle", "u_me"});
    EXPECT_EQ(call_actions(), (Strings{"open", "join"}));

    // Another person's view of the same call: Nell is in it.
    CatalogueContext const nell{"u_nell", demo_now};
    auto const hers = resource_at(doc, "chat.call:c_huddle", nell);
    ASSERT_TRUE(hers.has_value());
    auto const ran = run(*hers, "mute");
    ASSERT_TRUE(ran.has_value()) << ran.error();
    EXPECT_EQ(*ran, produced(action::SetCallState{"c_huddle", "u_nell", true, true, false, false}));
}

TEST_F(DemoCatalogue, ActionsKeepWhatTheyWereBuiltFrom)
{
    // A resource is a snapshot: its encoders run after the document changed.
    auto const channel = at("chat.channel:c_crit");
    doc::apply_chat_action(doc, action::DeleteChannel{"c_crit"});
    auto const ran = run(channel, "rename", {{"value", "after"}});
    ASSERT_TRUE(ran.has_value()) << ran.error();
    EXPECT_EQ(*ran, produced(action::RenameChannel{"c_crit", "after"}));
    EXPECT_FALSE(resource_at(doc, "chat.channel:c_crit", context).has_value());
}

} // namespace
} // namespace chat::test
