#include "actions/mentions.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "actions/text.h"

namespace chat {
namespace {

bool counts_as_mention_sign(std::string_view text, std::size_t at)
{
    if (text[at] != '@')
        return false;
    return at == 0 || text::is_white_space(text::decode_before(text, at).code_point);
}

bool name_ends_at(std::string_view text, std::size_t end)
{
    return end == text.size() || !text::is_letter_or_digit(text::decode_at(text, end).code_point);
}

MentionCandidate const* match_after(std::string_view text, std::size_t start,
                                    std::span<MentionCandidate const> candidates)
{
    auto const rest = text.substr(start);
    for (auto const& candidate : candidates)
        if (rest.starts_with(candidate.folded) && name_ends_at(text, start + candidate.folded.size()))
            return &candidate;
    return nullptr;
}

} // namespace

std::vector<MentionCandidate> mention_candidates(std::span<Person const> people)
{
    std::vector<MentionCandidate> candidates;
    std::unordered_set<std::string_view> seen;
    for (auto const& person : people) {
        if (person.name.empty() || !seen.insert(person.id).second)
            continue;
        candidates.push_back({person.id, person.name, text::lower_case(person.name), person.is_agent});
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](auto const& a, auto const& b) {
        return a.name.size() > b.name.size();
    });
    return candidates;
}

std::vector<Mention> find_mentions(std::string_view text, std::span<MentionCandidate const> candidates)
{
    // Offsets must stay offsets of `text`: when lower-casing changes the byte
    // length, the text is matched as written (the names still lower case).
    std::string const lowered = text::lower_case(text);
    std::string_view const haystack = lowered.size() == text.size() ? std::string_view(lowered) : text;

    std::vector<Mention> mentions;
    std::size_t at = 0;
    while (at < haystack.size()) {
        if (counts_as_mention_sign(haystack, at)) {
            if (auto const* candidate = match_after(haystack, at + 1, candidates)) {
                auto const length = candidate->folded.size() + 1;
                mentions.push_back({candidate->id, at, length, candidate->is_agent});
                at += length;
                continue;
            }
        }
        at += text::decode_at(haystack, at).length;
    }
    return mentions;
}

std::vector<Mention> find_mentions(std::string_view text, std::span<Person const> people)
{
    return find_mentions(text, mention_candidates(people));
}

} // namespace chat
