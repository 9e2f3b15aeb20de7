// The resource tree over the demo document: addresses, labels, the actions
// each kind offers and its children, and what resolves to nothing.

#include "demo_catalogue.h"

#include <map>

#include "doc/apply.h"
#include "doc/create.h"
#include "doc/messages.h"

namespace chat::test {
namespace {

using Strings = std::vector<std::string>;

Strings const channel_actions{"open=Open conversation", "post=Post message", "attach=Attach file",
                              "rename=Rename channel",  "archive=Archive channel", "mark-read=Mark as read",
                              "delete=Delete channel"};
Strings const message_actions{"open=Reveal message", "edit=Edit message", "react=Add reaction", "pin=Pin message",
                              "delete=Delete message"};

struct AddressCase {
    char const* address;
    char const* label;
    Strings actions;
    Strings children;
};

TEST_F(DemoCatalogue, ResourcesAtAddresses)
{
    AddressCase const cases[] = {
        {"chat.people", "People", {},
         {"chat.person:u_lise", "chat.person:u_me", "chat.person:u_nell", "chat.person:u_pia", "chat.person:u_rune",
          "chat.person:u_tomas"}},
        {"chat.person:u_nell", "Nell Yates", {"open=Open person"}, {}},
        {"chat.workspace:ws_acme", "Acme Design",
         {"open=Open workspace", "new-channel=New channel", "new-category=New category"},
         {"chat.channel:c_general", "chat.channel:c_standup", "chat.channel:c_crit", "chat.channel:c_huddle",
          "chat.channel:c_frontend", "chat.channel:c_random", "chat.category:cat_acme_main",
          "chat.category:cat_acme_voice"}},
        {"chat.workspace:ws_jam", "Weekend Jam",
         {"open=Open workspace", "new-channel=New channel", "new-category=New category"},
         {"chat.channel:c_ideas", "chat.channel:c_music", "chat.category:cat_jam_main"}},
        {"chat.channel:c_general", "# general", channel_actions, {}},
        {"chat.channel:c_huddle", "🔊 Design Huddle", channel_actions, {"chat.call:c_huddle"}},
        {"chat.call:c_huddle", "Call: 🔊 Design Huddle", {"open=Open call conversation", "join=Join call"}, {}},
        {"chat.category:cat_acme_voice", "Voice",
         {"open=Open category", "rename=Rename category", "collapse=Collapse category", "delete=Delete category"},
         {}},
        // 72 characters of a text with a multi-byte dash, not 72 bytes.
        {"chat.message:m_concept", "Nell Yates: Here's the frame — the host tile keeps the live camera, everyone else co",
         message_actions,
         {"chat.reaction:m_concept:❤️", "chat.reaction:m_concept:🔥", "chat.attachment:m_concept"}},
        {"chat.message:m_tomas", "Tomas Berg: Dropping the transport notes here so they don't get lost.",
         message_actions, {"chat.attachment:m_tomas"}},
        {"chat.message:m_me2", "You: That's the one. Starting a huddle to walk through the grid — jump in.",
         message_actions, {}},
        {"chat.reaction:m_concept:❤️", "❤️ · 3", {"open-message=Reveal message", "remove=Remove my reaction"}, {}},
        {"chat.reaction:m_concept:🔥", "🔥 · 1", {"open-message=Reveal message", "add=Add my reaction"}, {}},
        {"chat.reaction:m_lise:🚀", "🚀 · 4", {"open-message=Reveal message", "remove=Remove my reaction"}, {}},
        {"chat.attachment:m_concept", "call-overlay-v3.png", {"open-message=Reveal shared message"}, {}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.address);
        auto const resource = at(c.address);
        EXPECT_EQ(resource.address, c.address);
        EXPECT_EQ(resource.kind, orvo_actions::door::resource_kind(c.address));
        EXPECT_EQ(resource.label, c.label);
        EXPECT_EQ(actions_of(resource), c.actions);
        EXPECT_EQ(children_of(resource), c.children);
    }
}

TEST_F(DemoCatalogue, NothingAtUnknownAddresses)
{
    char const* const unknown[] = {
        "chat.channel:c_nope",       "chat.channel:",           "chat.channel",
        "chat.call:c_general",       // a text channel has no call
        "chat.call:c_nope",          "chat.person:u_nobody",    "chat.workspace:ws_nope",
        "chat.category:c_general",   // a channel id is not a category
        "chat.message:m_nope",       "chat.message:",           "chat.reaction:m_concept:🙈",
        "chat.reaction:m_concept",   "chat.reaction:m_nope:🎉", "chat.attachment:m_me1",
        "chat.people:u_me",          "chat.peoples",            "chat.bogus:c_general",
        "",                          ":c_general",
    };
    for (auto const* address : unknown)
        EXPECT_FALSE(resource_at(doc, address, context).has_value()) << address;
}

// Depth first, every resource of the tree.
void collect(std::vector<Resource> const& resources, std::vector<Resource const*>& out)
{
    for (auto const& resource : resources) {
        out.push_back(&resource);
        collect(resource.children, out);
    }
}

TEST_F(DemoCatalogue, TreeCoversTheDocumentAndAgreesWithLookups)
{
    auto const roots = catalogue(doc, context);
    Strings root_addresses;
    for (auto const& root : roots)
        root_addresses.push_back(root.address);
    EXPECT_EQ(root_addresses, (Strings{"chat.workspace:ws_acme", "chat.workspace:ws_orvo", "chat.workspace:ws_jam",
                                       "chat.people"}));

    std::vector<Resource const*> all;
    collect(roots, all);
    std::map<std::string, int> kinds;
    for (auto const* resource : all) {
        SCOPED_TRACE(resource->address);
        ++kinds[resource->kind];
        auto const looked_up = resource_at(doc, resource->address, context);
        ASSERT_TRUE(looked_up.has_value());
        EXPECT_EQ(looked_up->label, resource->label);
        EXPECT_EQ(actions_of(*looked_up), actions_of(*resource));
        EXPECT_EQ(children_of(*looked_up), children_of(*resource));
    }
    // Thirteen channels, three of them voice with their calls, five categories, six people.
    EXPECT_EQ(kinds, (std::map<std::string, int>{{"chat.workspace", 3},
                                                 {"chat.channel", 13},
                                                 {"chat.call", 3},
                                                 {"chat.category", 5},
                                                 {"chat.people", 1},
                                                 {"chat.person", 6}}));
}

TEST_F(DemoCatalogue, EmptyNamesAndUnknownAuthors)
{
    doc::NewMessage stranger;
    stranger.author = "u_gone";
    stranger.text = "still here";
    doc::insert_message(doc, "c_general", "m_stranger", stranger);
    doc::apply_chat_action(doc, action::CreateChannel{"ws_nameless", "", "c_new", "", ChannelKind::Voice});
    doc::create_workspace(doc, "ws_nameless", {"", "", 0, 9});

    EXPECT_EQ(at("chat.message:m_stranger").label, "u_gone: still here");
    EXPECT_EQ(at("chat.workspace:ws_nameless").label, "Workspace");
    EXPECT_EQ(at("chat.channel:c_new").label, "🔊 ");
    EXPECT_EQ(children_of(at("chat.workspace:ws_nameless")), (Strings{"chat.channel:c_new"}));
}

} // namespace
} // namespace chat::test
