#include "ui/bound_dispatch/bound_dispatch.h"

#include <algorithm>
#include <vector>

namespace orvo_ui::bound_dispatch {

struct BindingState {
    crdt::Document* document;
    ActionHistory* history;
    std::uint64_t id;
    std::vector<TypedActionStep> steps;
    bool finished = false;
};

namespace {

// Bindings of this thread, innermost last.
thread_local std::vector<BindingState*> active_bindings;
thread_local std::uint64_t bindings_made = 0;

template <typename Match>
BindingState* innermost(Match const& match)
{
    auto found = std::find_if(active_bindings.rbegin(), active_bindings.rend(), match);
    return found == active_bindings.rend() ? nullptr : *found;
}

} // namespace

orvo_actions::context::VersionStamp version_stamp(crdt::Document const& document, Heads const& heads)
{
    orvo_actions::context::VersionStamp stamp;
    for (auto const& head : heads) stamp.heads.emplace_back(head.bytes.begin(), head.bytes.end());
    stamp.actor = document.actor().bytes();
    return stamp;
}

std::optional<BeforeToken> typed_action_before(crdt::Document& document)
{
    auto* state = innermost([&](auto const* s) { return s->document == &document; });
    if (!state) return std::nullopt;
    return BeforeToken{document.heads(), state->id};
}

bool report_typed_action(crdt::Document& document, BeforeToken const& token, Heads after)
{
    auto* state = innermost([&](auto const* s) { return s->id == token.binding && s->document == &document; });
    if (!state) return false;
    state->steps.push_back({token.heads, std::move(after)});
    return true;
}

DispatchBinding::DispatchBinding(crdt::Document& document, ActionHistory& history)
    : m_state(std::make_unique<BindingState>(BindingState{&document, &history, ++bindings_made, {}}))
{
    active_bindings.push_back(m_state.get());
}

DispatchBinding::~DispatchBinding() { finish(); }

void DispatchBinding::finish(std::optional<PendingReport> pending)
{
    if (m_state->finished) return;
    m_state->finished = true;
    std::erase(active_bindings, m_state.get());
    if (m_state->steps.empty() && !pending) return;

    ActionReport report;
    report.before = pending ? pending->before : m_state->steps.front().before;
    report.after = m_state->document->heads();
    if (report.before == report.after) return;
    if (pending) report.description = std::move(pending->description);
    report.steps = std::move(m_state->steps);
    m_state->history->record(std::move(report));
}

std::size_t DispatchBinding::steps_reported() const { return m_state->steps.size(); }

} // namespace orvo_ui::bound_dispatch
