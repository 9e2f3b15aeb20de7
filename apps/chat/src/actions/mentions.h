#pragma once

// @-mentions in a text someone typed: "@" and a person's display name, in
// any letter case, where the "@" starts the text or follows white space and
// the name is not followed by a letter or digit.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "doc/records/mention.h"
#include "model/records.h"

namespace chat {

struct MentionCandidate {
    std::string id;
    std::string name;
    std::string folded; // the name in lower case, as matched
    bool is_agent = false;

    bool operator==(MentionCandidate const&) const = default;
};

// The people who can be mentioned, each id once (the first entry wins) and
// never with an empty name, longest display name first so that "Ann Lee"
// wins over "Ann". Callers may pass overlapping lists joined together.
std::vector<MentionCandidate> mention_candidates(std::span<Person const> people);

// Mentions in order of their "@"; offsets and lengths are bytes of `text`.
std::vector<Mention> find_mentions(std::string_view text, std::span<MentionCandidate const> candidates);
std::vector<Mention> find_mentions(std::string_view text, std::span<Person const> people);

} // namespace chat
