#pragma once

// Where an applied action goes next. The framework shares documents itself; a
// transport only sees each action once it is applied, with the context it ran in.

#include "actions/context.h"
#include "actions/encoded_action.h"
#include "base/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvo_actions::executor {

struct Replication {
    action::EncodedAction action;
    context::ActionContext context;
    std::uint32_t schema_version = 0;
    std::string debug_text;

    bool operator==(Replication const&) const = default;
};

class ActionTransport {
public:
    virtual ~ActionTransport() = default;

    virtual base::Result<void> replicate(Replication const& replication) = 0;
    // Whether replicate() can be called now. The executor applies nothing while the
    // transport is not ready, so no applied action goes unshared.
    virtual bool ready() const = 0;
};

// The transport of a single process: replicated actions are kept in order in an
// outbox that the framework drains (for its history, or to forward them).
class LocalTransport final : public ActionTransport {
public:
    base::Result<void> replicate(Replication const& replication) override;
    bool ready() const override { return true; }

    std::vector<Replication> const& outbox() const { return m_outbox; }
    std::vector<Replication> take_outbox();

private:
    std::vector<Replication> m_outbox;
};

} // namespace orvo_actions::executor
