#pragma once

// The framework's record of what typed actions did to the document: one report per
// widget call that dispatched something, oldest first, bounded in length.

#include "actions/context.h"
#include "crdt/types.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace orvo_ui::bound_dispatch {

using Heads = std::vector<crdt::ChangeHash>;

// One typed action as the executor ran it: the heads around its change.
struct TypedActionStep {
    Heads before;
    Heads after;

    bool operator==(TypedActionStep const&) const = default;
};

struct ActionReport {
    std::uint64_t sequence = 0; // counts reports ever recorded, from 1
    Heads before;               // before the first action of the call
    Heads after;                // once the call was over
    // What the application said it did (the latest action of the call), when it said.
    std::optional<orvo_actions::context::ActionDescription> description;
    std::vector<TypedActionStep> steps;
};

class ActionHistory {
public:
    explicit ActionHistory(std::size_t capacity = 256);

    // Keeps the report, numbering it; the oldest report goes once capacity is reached.
    void record(ActionReport report);

    std::deque<ActionReport> const& reports() const { return m_reports; }
    ActionReport const* latest() const { return m_reports.empty() ? nullptr : &m_reports.back(); }
    std::size_t capacity() const { return m_capacity; }
    void clear() { m_reports.clear(); }

private:
    std::size_t m_capacity;
    std::uint64_t m_recorded = 0;
    std::deque<ActionReport> m_reports;
};

} // namespace orvo_ui::bound_dispatch
