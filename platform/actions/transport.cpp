#include "actions/transport.h"

#include <utility>

namespace orvo_actions::executor {

base::Result<void> LocalTransport::replicate(Replication const& replication)
{
    m_outbox.push_back(replication);
    return {};
}

std::vector<Replication> LocalTransport::take_outbox()
{
    return std::exchange(m_outbox, {});
}

} // namespace orvo_actions::executor
