#include "ui/bound_dispatch/action_history.h"

#include <algorithm>

namespace orvo_ui::bound_dispatch {

ActionHistory::ActionHistory(std::size_t capacity)
    : m_capacity(std::max<std::size_t>(capacity, 1))
{
}

void ActionHistory::record(ActionReport report)
{
    report.sequence = ++m_recorded;
    if (m_reports.size() == m_capacity) m_reports.pop_front();
    m_reports.push_back(std::move(report));
}

} // namespace orvo_ui::bound_dispatch
