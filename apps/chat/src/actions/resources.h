#pragma once

// Builders of each kind of chat resource. Private to the catalogue.

#include <memory>
#include <string>
#include <vector>

#include "actions/catalogue.h"
#include "actions/mentions.h"
#include "model/records.h"

namespace chat::resources {

// What the builders read besides the record they describe, projected once
// per catalogue or lookup.
struct Sources {
    crdt::Document& doc;
    CatalogueContext const& context;
    std::vector<Person> people;
    // Shared by every channel's "post" action, which runs later.
    std::shared_ptr<std::vector<MentionCandidate> const> candidates;

    static Sources read(crdt::Document&, CatalogueContext const&);
};

std::string address(std::string_view kind, std::string_view id);

Resource people(Sources const&);
Resource person(Person const&);
// `channels` and `categories` are the workspace's own.
Resource workspace(Sources const&, Workspace const&, std::vector<Channel> const& channels,
                   std::vector<Category> const& categories);
Resource category(Category const&);

Resource channel(Sources const&, Channel const&);
// The call of a voice channel.
Resource call(Sources const&, Channel const&);

// `workspace` is the id of the workspace of the message's channel.
Resource message(Sources const&, Message const&, std::string const& workspace);
Resource reaction(Sources const&, Message const&, ReactionGroup const&, std::string const& workspace);
Resource attachment(Message const&, std::string const& workspace);

} // namespace chat::resources
